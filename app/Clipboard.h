#pragma once
#include <windows.h>

// Puts the field's whole text on the clipboard as Unicode text, the clipboard
// opened for owner, and logs it; a busy clipboard is left alone.
void CopyTextToClipboard(HWND owner, HWND field);
