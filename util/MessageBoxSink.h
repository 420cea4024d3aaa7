#pragma once
#include <windows.h>

// Sends the text to the debugger output and shows it in a task-modal box
// owned by owner (which may be null), captioned with the owner's title.
int ShowMessageBox(HWND owner, unsigned flags, const wchar_t* text);
