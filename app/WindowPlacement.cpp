#include "app/WindowPlacement.h"

#include <algorithm>
#include <climits>

#include "settings/IniFile.h"

namespace {

LONG Clamp(long long value)
{
    return static_cast<LONG>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

// Computed in 64 bits: the saved values are whatever the file held.
RECT FitIntoWorkArea(int left, int top, int width, int height, const RECT& workArea, bool onSomeMonitor)
{
    if (onSomeMonitor && width >= MIN_WINDOW_WIDTH && height >= MIN_WINDOW_HEIGHT) {
        return {left, top, Clamp(static_cast<long long>(left) + width), Clamp(static_cast<long long>(top) + height)};
    }
    const long long newWidth = std::max(width, MIN_WINDOW_WIDTH);
    const long long newHeight = std::max(height, MIN_WINDOW_HEIGHT);
    long long x = left;
    long long y = top;
    // Pull it inside: right and bottom edges first, then left and top win.
    x = std::min<long long>(x, workArea.right - newWidth);
    y = std::min<long long>(y, workArea.bottom - newHeight);
    x = std::max<long long>(x, workArea.left);
    y = std::max<long long>(y, workArea.top);
    return {Clamp(x), Clamp(y), Clamp(x + newWidth), Clamp(y + newHeight)};
}

RECT PlaceOnScreen(const IniFile& settings)
{
    const int left = settings.m_WndLeft;
    const int top = settings.m_WndTop;
    const RECT saved = {left, top, Clamp(static_cast<long long>(left) + settings.m_WndWidth),
                        Clamp(static_cast<long long>(top) + settings.m_WndHeight)};
    const bool onSomeMonitor = MonitorFromRect(&saved, MONITOR_DEFAULTTONULL) != nullptr;
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&saved, MONITOR_DEFAULTTONEAREST), &info);
    return FitIntoWorkArea(left, top, settings.m_WndWidth, settings.m_WndHeight, info.rcWork, onSomeMonitor);
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
