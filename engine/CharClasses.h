#pragma once
#include <cwchar>

// The character classes both scanners read formulas with.

// Space and backspace separate tokens; every other control character is an error.
inline bool IsBlank(wchar_t c) { return c == L' ' || c == L'\b'; }
inline bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
// Hexadecimal digits above 9 are upper case only: 0XFF, not 0Xff.
inline bool IsHexLetter(wchar_t c) { return c >= L'A' && c <= L'F'; }
inline bool IsVariable(wchar_t c) { return c == L'x' || c == L'y' || c == L'z'; }

// True when c is one of the characters of set; the terminator never is.
inline bool IsOneOf(wchar_t c, const wchar_t* set)
{
    return c != 0 && std::wcschr(set, c) != nullptr;
}
