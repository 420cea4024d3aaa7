#pragma once
#include <windows.h>

// Sets a mode toggle's caption from its check state and the interface
// language: Int/整 when checked (Integer mode), Dec/小 when not.
void UpdateModeLabel(HWND toggle);
