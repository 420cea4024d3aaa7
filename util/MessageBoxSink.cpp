#include "util/MessageBoxSink.h"

int ShowMessageBox(HWND owner, unsigned flags, const wchar_t* text)
{
    wchar_t caption[100] = L"";
    if (owner) GetWindowTextW(owner, caption, 100);
    OutputDebugStringW(text);
    return MessageBoxW(owner, text, caption, flags | MB_TASKMODAL);
}
