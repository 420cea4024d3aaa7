#pragma once
#include <windows.h>

// Puts the interface's texts, in English or Japanese as g_Japanese says,
// into every window and the menu bar.

// Sets the check mark of the Japanese menu item from g_Japanese.
void PrepareMenu();

// Sets every switchable text of the window and the menu bar for g_Japanese.
void ApplyLanguage();

// Flips the check mark of a menu item and stores its new state in flag.
void ToggleMenuCheck(int itemId, bool& flag);
