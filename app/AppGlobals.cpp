#include "app/AppGlobals.h"

#include <cstdarg>

#include "util/LogLines.h"
#include "util/MessageBoxSink.h"

HINSTANCE g_hInst = nullptr;
HWND g_hWndMain = nullptr;
HWND g_hWndLog = nullptr;
IniFile* g_pIniFile = nullptr;
OsErrorText* g_pOsErrorText = nullptr;
bool g_Japanese = false;

void TracePrintf(const wchar_t* format, ...)
{
    if (!g_hWndLog) return;
    va_list args;
    va_start(args, format);
    ListBoxPrintf(g_hWndLog, format, args);
    va_end(args);
}

int ShowMainMessageBox(unsigned flags, const wchar_t* text)
{
    return ShowMessageBox(g_hWndMain, flags, text);
}
