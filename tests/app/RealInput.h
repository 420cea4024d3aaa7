#pragma once
#include <windows.h>

#include <vector>

// Real key and mouse input (SendInput), as a person's hands give it. Keys go
// to the foreground window's focus, so a test brings the program's window to
// the front first; mouse input goes to the window under the pointer.

// Makes the top-level window the foreground window; true when it is.
bool BringToFront(HWND topLevel);
// Presses and releases a key.
void PressKey(WORD virtualKey);
// Presses a modifier (VK_CONTROL, VK_SHIFT, VK_MENU), then more keys, and
// lets them go in the reverse order: PressChord({VK_CONTROL, VK_DOWN}).
void PressChord(const std::vector<WORD>& keys);
// Moves the mouse to a point on the screen and clicks a button there.
void ClickAt(POINT screen, bool rightButton = false);
// Moves the mouse to a point and turns the wheel; a positive distance turns
// it away from the user (120 is one notch).
void WheelAt(POINT screen, int distance);
// The centre of a window, in screen coordinates.
POINT CenterOf(HWND window);
