#include "app/WindowPlacement.h"

#include <algorithm>
#include <climits>

#include "app/Layout.h"
#include "settings/IniFile.h"
#include "util/DpiScale.h"

namespace {

LONG Clamp(long long value)
{
    return static_cast<LONG>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

// Computed in 64 bits: the saved values are whatever the file held.
RECT FitIntoWorkArea(int left, int top, int width, int height, const RECT& workArea, bool onSomeMonitor,
                     SIZE minimum)
{
    if (onSomeMonitor && width >= minimum.cx && height >= minimum.cy) {
        return {left, top, Clamp(static_cast<long long>(left) + width), Clamp(static_cast<long long>(top) + height)};
    }
    const long long newWidth = std::max<long long>(width, minimum.cx);
    const long long newHeight = std::max<long long>(height, minimum.cy);
    long long x = left;
    long long y = top;
    // Pull it inside: right and bottom edges first, then left and top win.
    x = std::min<long long>(x, workArea.right - newWidth);
    y = std::min<long long>(y, workArea.bottom - newHeight);
    x = std::max<long long>(x, workArea.left);
    y = std::max<long long>(y, workArea.top);
    return {Clamp(x), Clamp(y), Clamp(x + newWidth), Clamp(y + newHeight)};
}

RECT PlaceOnScreen(const IniFile& settings, bool fromFile)
{
    // The window's own DPI is not known before it exists: the screen's stands in.
    const int dpi = QueryDpi(nullptr);
    auto scaled = [dpi](int value) { return MulDiv(value, dpi, BASE_DPI); };
    const int left = fromFile ? settings.m_WndLeft : scaled(settings.m_WndLeft);
    const int top = fromFile ? settings.m_WndTop : scaled(settings.m_WndTop);
    const int width = fromFile ? settings.m_WndWidth : scaled(settings.m_WndWidth);
    const int height = fromFile ? settings.m_WndHeight : scaled(settings.m_WndHeight);
    const RECT saved = {left, top, Clamp(static_cast<long long>(left) + width),
                        Clamp(static_cast<long long>(top) + height)};
    const bool onSomeMonitor = MonitorFromRect(&saved, MONITOR_DEFAULTTONULL) != nullptr;
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&saved, MONITOR_DEFAULTTONEAREST), &info);
    return FitIntoWorkArea(left, top, width, height, info.rcWork, onSomeMonitor,
                           {scaled(MIN_FRAME_WIDTH), scaled(MIN_FRAME_HEIGHT)});
}

RECT RestoredWindowRect(HWND hwnd)
{
    RECT rect = {};
    if (!IsIconic(hwnd) && !IsZoomed(hwnd)) {
        GetWindowRect(hwnd, &rect);
        return rect;
    }
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd, &placement);
    rect = placement.rcNormalPosition;
    // rcNormalPosition is in work-area coordinates: shift it to the screen.
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info)) {
        OffsetRect(&rect, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    }
    return rect;
}
