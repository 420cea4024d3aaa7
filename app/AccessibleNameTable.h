#pragma once
#include <cstddef>

// The names a screen reader announces for the window's controls, by control
// id, in English and in Japanese. A row's controls carry the row's number,
// counted from 1.

// Writes the name of the control with this id into name (capacity units,
// terminator included); false, with name empty, for an id without a name.
bool AccessibleNameOf(int id, bool japanese, wchar_t* name, size_t capacity);
