#pragma once
#include <windows.h>

#include <string>

// Sets a window's text unless it reads so already (each change repaints).
void SetTextIfChanged(HWND window, const wchar_t* text);

// The whole text of a window.
std::wstring WholeText(HWND window);
