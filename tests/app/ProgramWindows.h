#pragma once
#include <windows.h>

#include <string>
#include <utility>

// Finding and reading the program's windows from outside, beyond what
// VexiloSession offers: its dialogs, popup menus, message boxes and focus.

DWORD ProcessOf(HWND window);
DWORD ThreadOf(HWND window);
// A visible top-level window of the process with this class, other than
// exclude, or null; the Wait form gives the window time to come.
HWND FindProcessWindow(DWORD processId, const wchar_t* className, HWND exclude = nullptr);
HWND WaitForProcessWindow(DWORD processId, const wchar_t* className, HWND exclude = nullptr);
// Waits until the window is destroyed or hidden; true when it is.
bool WaitGone(HWND window);

// A message box: a dialog with a static text of id 0xFFFF and no edit field.
bool IsMessageBoxWindow(HWND dialog);
// Waits for a message box of the process, takes its text and closes it with
// the button given (IDOK, IDYES, ...). False when none came.
bool AnswerMessageBox(DWORD processId, int button, std::wstring& text);

// The window that has the keyboard focus in the window's thread.
HWND FocusOf(HWND windowOfThread);
// The edit field of a combo box (for a ComboBoxEx, of its inner combo box).
HWND ComboEdit(HWND combo);
// The selection of an edit field: start and end.
std::pair<DWORD, DWORD> EditSelection(HWND edit);
// The top-left corner of the window's client area on the screen.
POINT ClientOrigin(HWND window);
// Number of lines in a list box: a plain count, safe while the list changes.
int ListCount(HWND list);

// For messages of failed checks.
std::string Utf8(const std::wstring& text);
