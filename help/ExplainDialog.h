#pragma once
#include <windows.h>

// The dialog procedure of the formula explanation dialog (template 104).
INT_PTR CALLBACK ExplainDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Opens the explanation dialog, modal to the main window, in the language of
// the interface; returns when the user closes it.
void ShowExplanation();
