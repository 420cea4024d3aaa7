#include "util/LineExtent.h"

namespace {

// Lines this much shorter than the widest so far are still measured: in a
// proportional font a shorter line can be the wider one.
constexpr long long MEASURE_SLACK = 10;
constexpr int EXTENT_MARGIN = 6;

// Width of the line in the window's own font plus the margin; 0 when the
// window has no device context to measure on.
int MeasureExtent(HWND hWnd, const wchar_t* line, int len)
{
    const HDC hdc = GetDC(hWnd);
    if (!hdc) return 0;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(hWnd, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font ? SelectObject(hdc, font) : nullptr;
    SIZE size{};
    const int extent = GetTextExtentPoint32W(hdc, line, len, &size) ? size.cx + EXTENT_MARGIN : 0;
    if (previous) SelectObject(hdc, previous);
    ReleaseDC(hWnd, hdc);
    return extent;
}

}  // namespace

void KeepLineExtent(HWND hWnd, const wchar_t* line, int len, UINT getExtent, UINT setExtent)
{
    const long long widest = GetWindowLongPtrW(hWnd, GWLP_USERDATA);
    if (len <= widest - MEASURE_SLACK) return;
    const int extent = MeasureExtent(hWnd, line, len);
    if (SendMessageW(hWnd, getExtent, 0, 0) < extent) {
        SendMessageW(hWnd, setExtent, static_cast<WPARAM>(extent), 0);
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, len);
    }
}
