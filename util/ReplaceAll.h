#pragma once
#include "util/TextFormat.h"

// The result of ReplaceAll; valid until the next call.
extern wchar_t g_ReplaceBuff[TEXT_CAPACITY];

// Returns g_ReplaceBuff holding text with every occurrence of placeholder
// (exact, case-sensitive) replaced; the replacement is not searched again.
// A result longer than 1023 characters is cut there. text may itself be
// g_ReplaceBuff. An empty placeholder replaces nothing.
wchar_t* ReplaceAll(const wchar_t* text, const wchar_t* placeholder, const wchar_t* replacement);

// Copies text into dest (capacity units) with every percent sign doubled, so
// that it comes out of a format unchanged. A cut never splits a pair: a lone
// % would join the format text after it as a directive.
void EscapePercents(wchar_t* dest, size_t capacity, const wchar_t* text);
