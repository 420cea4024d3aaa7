#pragma once
#include <windows.h>

// While a formula box has the focus, two thread hooks are in place: Enter
// presses that row's Calc button, and the wheel scrolls the rows. Both leave
// the keys and the wheel alone while a menu, a keyboard move or size, or the
// box's dropped-down list is under way.

// A formula box got the focus: remembers the row, installs the hooks and
// puts the remembered selection back into its edit field.
void OnFormulaFocus(int row);

// Puts the remembered selection into the row's formula edit field. A combo
// box handed the focus selects all of its text after it has told its parent,
// which undoes the selection put back on CBN_SETFOCUS: whoever hands a formula
// box the focus calls this once more afterwards.
void PutBackSelection(int row);

// Clicks the row's Calc button as Enter in its formula box does: the
// selection in the box is the same afterwards.
void PressCalcKeepingSelection(int row);

void InstallRowHooks();
void RemoveRowHooks();
LRESULT CALLBACK RowKeyboardHook(int code, WPARAM key, LPARAM keyData);
LRESULT CALLBACK RowMouseHook(int code, WPARAM message, LPARAM data);
