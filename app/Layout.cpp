#include "app/Layout.h"

#include "app/AppGlobals.h"
#include "util/DpiScale.h"

namespace {

// Help button, seven margins and three labels: what the three boxes share
// the rest of the width with.
constexpr int BESIDE_THE_BOXES = 30 + 7 * LAYOUT_MARGIN + 3 * 30;

int EdgeX(const Edge& edge, int parentWidth, int boxWidth96)
{
    if (edge.fromRight) return parentWidth - Scaled(edge.offset);
    return Scaled(edge.offset + edge.boxes * boxWidth96);
}

// Kept to what a display can have: every scaled measure stays at least a
// pixel (the row pitch divides), and no product overflows.
constexpr int MIN_DPI = 24;
constexpr int MAX_DPI = 2400;

}  // namespace

int Scaled(int value)
{
    return ScaleToDpi(value, g_Dpi);
}

void SetLayoutDpi(int dpi)
{
    g_Dpi = dpi < MIN_DPI ? MIN_DPI : dpi > MAX_DPI ? MAX_DPI : dpi;
}

RECT PlaceRect(const Place& place, int parentWidth)
{
    // Whole 96-DPI pixels of the width, as a 96-DPI window of this size would have.
    const int width96 = static_cast<int>(static_cast<long long>(parentWidth) * BASE_DPI / g_Dpi);
    const int boxWidth96 = (width96 - BESIDE_THE_BOXES) / 3;
    const int top = Scaled(place.top);
    return {EdgeX(place.left, parentWidth, boxWidth96), top, EdgeX(place.right, parentWidth, boxWidth96),
            top + Scaled(place.height)};
}

void PlaceWindow(HWND window, const RECT& rect, DropHeight dropHeight)
{
    RECT current;
    GetWindowRect(window, &current);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&current), 2);
    RECT target = rect;
    if (dropHeight == DropHeight::KEEP) target.bottom = target.top + (current.bottom - current.top);
    if (dropHeight != DropHeight::SET && EqualRect(&current, &target)) return;
    MoveWindow(window, target.left, target.top, target.right - target.left, target.bottom - target.top, TRUE);
}
