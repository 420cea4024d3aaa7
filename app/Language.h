#pragma once
#include <windows.h>

// The interface's texts in English or Japanese, chosen by g_Japanese.

// Sets the check mark of the Japanese menu item from g_Japanese.
void PrepareMenu();

// Sets every switchable text of the window and the menu bar for g_Japanese.
void ApplyLanguage();

// Flips the check mark of a menu item and stores its new state in flag.
void ToggleMenuCheck(int itemId, bool& flag);

// Sets a control's text unless it reads so already (each change repaints).
void SetTextIfChanged(HWND window, const wchar_t* text);

// Caption of a mode toggle: Int/整 when checked (Integer mode), Dec/小 when not.
const wchar_t* ModeLabel(bool integerMode);

// Makes the main window topmost while the on-top toggle is checked.
void ApplyAlwaysOnTop();
