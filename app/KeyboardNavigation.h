#pragma once
#include <windows.h>

// Using the main window from the keyboard alone: Tab and Shift+Tab through
// every control, Enter or Space on a focused button, Ctrl+Down and Ctrl+Up
// between the formula rows, and keys for the actions that only had buttons.

// Loads the table of action keys. The controls are tab stops, and the panel
// and the rows window control parents, from their creation.
void PrepareKeyboardNavigation();

// In the message loop, after the menu accelerators: the action keys, Enter
// on a focused button and the dialog keys. True when the message was handled
// (and dispatched) here.
bool TranslateKeyboardInput(MSG& msg);

// A command of the action keys, received by the main window; false for any
// other command.
bool RunKeyCommand(int id);

// The row (0 to 19) that a control belongs to, or -1.
int RowOfControl(HWND control);

// Scrolls the formula rows by whole rows, as the scroll bar does, until the
// row of the control is in view; does nothing for a control outside the rows.
void ScrollRowIntoView(HWND control);
