#pragma once
#include <cstddef>

// Plain operations on zero-terminated UTF-16 texts.
size_t StrLen(const wchar_t* text);
wchar_t* StrCopy(wchar_t* dest, const wchar_t* source);
// Copies at most n units and terminates after them: dest needs n + 1 units.
wchar_t* StrCopyN(wchar_t* dest, const wchar_t* source, size_t n);
wchar_t* StrCat(wchar_t* dest, const wchar_t* source);
wchar_t* StrFill(wchar_t* dest, wchar_t unit, size_t n);
const wchar_t* StrFind(const wchar_t* text, const wchar_t* sought);
