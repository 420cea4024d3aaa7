#pragma once
#include <string>
#include <string_view>

// Conversions between UTF-8 and the program's wide texts. Wide texts hold
// UTF-16 code units on every platform (also where wchar_t has 32 bits), so a
// formula has the same length and caret positions on Linux as on Windows.
// Malformed input becomes U+FFFD; nothing is ever dropped silently.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view utf16);
