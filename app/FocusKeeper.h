#pragma once
#include <windows.h>

// The keyboard focus of the main window is never left on the main window
// itself: it starts in the first formula box and comes back to the control
// that had it whenever the window is activated again.

// At start: the focus into row 0's formula box with its text selected.
void FocusFirstFormula();

// The main window is being deactivated: remembers which control had the focus.
void RememberFocus();

// The main window itself got the focus: hands it on to the remembered
// control (or row 0's formula box). False when there is nothing to focus.
bool RestoreFocus();
