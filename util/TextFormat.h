#pragma once
#include <cstdarg>
#include <cstddef>

// Units of every text the program passes around: 1023 characters and the
// terminating zero.
constexpr int TEXT_CAPACITY = 1024;

// Formats the directives the program uses: %s a wide text, %S a narrow
// (UTF-8) one, %d and %X with the length I64, the flags # (0X before %X)
// and 0, a width, %.Nf and %.Ng in the C99 forms everywhere (a two-digit
// exponent as in 1e-16, inf, -inf, nan, -nan) and %%. Anything else is
// copied as it stands. At most capacity - 1 units are written, then a
// terminator; a longer text is cut. Returns the number of units written.
int FormatTextV(wchar_t* dest, size_t capacity, const wchar_t* format, va_list args);
int FormatText(wchar_t* dest, size_t capacity, const wchar_t* format, ...);

// The text most recently formatted by SharedFormat; valid until the next call.
extern wchar_t g_FormatBuff[TEXT_CAPACITY];

// Formats into g_FormatBuff, stores the number of units written into *count
// (when count is not null) and returns g_FormatBuff. An argument may itself
// point into g_FormatBuff.
wchar_t* SharedFormat(int* count, const wchar_t* format, va_list args);
