#pragma once
#include <windows.h>

// The dialog procedure of the formula explanation dialog (template 104).
INT_PTR CALLBACK ExplainDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Opens the explanation dialog from the module's template, modal to owner,
// in Japanese or English; returns when the user closes it.
void ShowExplanation(HINSTANCE instance, HWND owner, bool japanese);
