#pragma once
#include <windows.h>
#include <commdlg.h>

// GetSaveFileNameW from comdlg32, loaded on the first call: linked at start
// it would bring shell32 and more into every start of the program. FALSE
// (with the last error set) when the library cannot be loaded.
BOOL ShowSaveDialog(OPENFILENAMEW* dialog);
