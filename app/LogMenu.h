#pragma once
#include <windows.h>

// The log list's own context menu (Clear Log, store to a file), and storing
// the log through the save dialog.
void InstallLogListProc();
void RemoveLogListProc();
LRESULT CALLBACK LogListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Asks for a file name and writes every log line into it, UTF-16LE, one line
// feed after each. A file that cannot be written is reported in a message box.
void StoreLogToFile();
