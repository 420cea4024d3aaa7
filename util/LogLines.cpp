#include "util/LogLines.h"

#include "util/LineExtent.h"
#include "util/TextFormat.h"

namespace {

constexpr UINT_PTR REDRAW_TIMER = 0x564C;

// Turns drawing back on once the program has nothing else to do.
void CALLBACK RedrawList(HWND hList, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(hList, timer);
    SendMessageW(hList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hList, nullptr, TRUE);
}

}  // namespace

int ListBoxPrintf(HWND hList, int dpi, const wchar_t* format, va_list args)
{
    int len = 0;
    const wchar_t* line = SharedFormat(&len, format, args);
    // Every step would redraw the list's scroll bars at once, which under
    // Wine costs milliseconds each. Drawing waits instead until the program
    // is idle (a zero-time timer), so that the list and its scroll bars are
    // redrawn once however many lines came in meanwhile.
    SendMessageW(hList, WM_SETREDRAW, FALSE, 0);
    const auto index = static_cast<int>(SendMessageW(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line)));
    if (index >= 0) SendMessageW(hList, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    SetTimer(hList, REDRAW_TIMER, 0, RedrawList);
    KeepLineExtent(hList, line, len, LB_GETHORIZONTALEXTENT, LB_SETHORIZONTALEXTENT, dpi);
    return index;
}
