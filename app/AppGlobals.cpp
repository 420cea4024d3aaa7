#include "app/AppGlobals.h"

#include <cstdarg>

#include "util/DpiScale.h"
#include "util/LogLines.h"
#include "util/MessageBoxSink.h"

HINSTANCE g_hInst = nullptr;
HWND g_hWndMain = nullptr;
HWND g_hWndLog = nullptr;
HWND g_hWndPanel = nullptr;
HWND g_hWndRows = nullptr;
HFONT g_hLogFont = nullptr;
HFONT g_hAnswerFont = nullptr;
HFONT g_hControlFont = nullptr;
int g_Dpi = BASE_DPI;
IniFile* g_pIniFile = nullptr;
OsErrorText* g_pOsErrorText = nullptr;
bool g_Japanese = false;

void TracePrintf(const wchar_t* format, ...)
{
    if (!g_hWndLog) return;
    va_list args;
    va_start(args, format);
    ListBoxPrintf(g_hWndLog, g_Dpi, format, args);
    va_end(args);
}

int ShowMainMessageBox(unsigned flags, const wchar_t* text)
{
    return ShowMessageBox(g_hWndMain, flags, text);
}
