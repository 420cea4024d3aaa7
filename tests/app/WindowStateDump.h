#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Everything another program can read of a window and its descendants, one
// line per window in z-order, depth-first: class, id, styles, rectangle
// (in the parent's client area; the top window's on the screen), text, and
// for lists their entries, selection, extent and item height, for buttons the
// check state, for edit fields the selection and the first character's place.
std::vector<std::wstring> DescribeWindowTree(HWND top);

// The lines as UTF-8, each ended by a line feed.
std::string JoinUtf8(const std::vector<std::wstring>& lines);
