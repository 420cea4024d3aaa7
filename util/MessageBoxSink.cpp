#include "util/MessageBoxSink.h"

HWND g_hWndMain = nullptr;

int ShowMessageBox(unsigned flags, const wchar_t* text)
{
    wchar_t caption[100] = L"";
    if (g_hWndMain) GetWindowTextW(g_hWndMain, caption, 100);
    OutputDebugStringW(text);
    return MessageBoxW(g_hWndMain, text, caption, flags | MB_TASKMODAL);
}
