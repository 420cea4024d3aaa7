#pragma once
#include <windows.h>

// A DLL lying beside the program (in a download folder, say) or in the
// current folder must never be loaded in place of the system's own.

// Limits every later DLL search to System32. The first thing each program
// does on Windows. SetDefaultDllDirectories is looked up at run time, so
// that a Windows 7 without it still starts; there the current folder is
// taken out of the search instead.
void RestrictDllSearch();

// Loads a system DLL from System32 only; null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);
