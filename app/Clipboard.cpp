#include "app/Clipboard.h"

#include <windows.h>

#include "app/AppGlobals.h"
#include "util/TextFormat.h"

void CopyTextToClipboard(HWND owner, HWND field)
{
    if (!OpenClipboard(owner)) return;
    const int length = GetWindowTextLengthW(field);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (static_cast<size_t>(length) + 1) * sizeof(wchar_t));
    wchar_t* text = block ? static_cast<wchar_t*>(GlobalLock(block)) : nullptr;
    if (!text) {
        if (block) GlobalFree(block);
        CloseClipboard();
        return;
    }
    GetWindowTextW(field, text, length + 1);
    GlobalUnlock(block);
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);  // the clipboard did not take it
    CloseClipboard();

    // Logged from a copy: the block now belongs to the clipboard.
    wchar_t logged[TEXT_CAPACITY];
    GetWindowTextW(field, logged, TEXT_CAPACITY);
    TracePrintf(L"[%s]Copied to the Clipboard", logged);
}
