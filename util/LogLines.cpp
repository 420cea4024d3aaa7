#include "util/LogLines.h"

#include "util/LineExtent.h"
#include "util/TextFormat.h"

HWND g_hWndLog = nullptr;

void TracePrintf(const wchar_t* format, ...)
{
    if (!g_hWndLog) return;
    va_list args;
    va_start(args, format);
    ListBoxPrintf(g_hWndLog, format, args);
    va_end(args);
}

int ListBoxPrintf(HWND hList, const wchar_t* format, va_list args)
{
    int len = 0;
    const wchar_t* line = SharedFormat(&len, format, args);
    const auto index = static_cast<int>(SendMessageW(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line)));
    if (index >= 0) SendMessageW(hList, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    KeepLineExtent(hList, line, len, LB_GETHORIZONTALEXTENT, LB_SETHORIZONTALEXTENT);
    return index;
}
