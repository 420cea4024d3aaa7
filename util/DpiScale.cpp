#include "util/DpiScale.h"

namespace {

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
