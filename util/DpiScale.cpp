#include "util/DpiScale.h"

namespace {

using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiProc = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

template <typename Proc>
Proc User32Function(const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

GetDpiForWindowProc DpiForWindowFunction()
{
    static const auto function = User32Function<GetDpiForWindowProc>("GetDpiForWindow");
    return function;
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : BASE_DPI;
}

// The non-client metrics at dpi. Without SystemParametersInfoForDpi the
// system gives them at the screen's DPI (96 for a program it scales itself),
// so the message font's height is scaled from there, not from 96.
bool MessageFontAt(int dpi, LOGFONTW& font)
{
    static const auto forDpi = User32Function<SystemParametersInfoForDpiProc>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
        font = metrics.lfMessageFont;
        return true;
    }
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
    font = metrics.lfMessageFont;
    const int systemDpi = ScreenDpi();
    if (systemDpi != dpi) font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
    return true;
}

}  // namespace

int QueryDpi(HWND hWnd)
{
    if (hWnd) {
        if (GetDpiForWindowProc function = DpiForWindowFunction()) {
            const UINT dpi = function(hWnd);
            if (dpi > 0) return static_cast<int>(dpi);
        }
    }
    return ScreenDpi();
}

HFONT CreateMessageFont(int dpi)
{
    LOGFONTW font;
    return MessageFontAt(dpi, font) ? CreateFontIndirectW(&font) : nullptr;
}
