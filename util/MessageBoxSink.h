#pragma once
#include <windows.h>

// The main window: owner and caption source of every message box. Set by the
// shell when the main window is created; null before.
extern HWND g_hWndMain;

// The Windows message sink: sends the text to the debugger output and shows
// it in a task-modal box owned by the main window, captioned with its title.
int ShowMessageBox(unsigned flags, const wchar_t* text);
