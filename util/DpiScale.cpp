#include "util/DpiScale.h"

namespace {

int g_Dpi = BASE_DPI;  // set by the main window

using GetDpiForWindowProc = UINT(WINAPI*)(HWND);

GetDpiForWindowProc DpiForWindowFunction()
{
    static const auto function = reinterpret_cast<GetDpiForWindowProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : BASE_DPI;
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

int CurrentDpi()
{
    return g_Dpi;
}

// Kept to what a display can have: every scaled measure stays at least a
// pixel (the row pitch divides), and no product overflows.
constexpr int MIN_DPI = 24;
constexpr int MAX_DPI = 2400;

void SetCurrentDpi(int dpi)
{
    g_Dpi = dpi < MIN_DPI ? MIN_DPI : dpi > MAX_DPI ? MAX_DPI : dpi;
}

int Scaled(int value)
{
    return g_Dpi == BASE_DPI ? value : MulDiv(value, g_Dpi, BASE_DPI);
}
