#pragma once
#include <cstddef>

// The explanation of the formula syntax shown by the explanation dialog, in
// English and in Japanese. Portable: no Win32 here, so the host tests read it.

constexpr size_t EXPLAIN_LINE_CNT = 97;    // lines of each language
constexpr size_t EXPLAIN_CAPACITY = 5120;  // units of the dialog's buffer; both texts fit

// Writes the lines of one language into buffer, each followed by "\r\n", and a
// terminator. At most capacity - 1 units of text are written; a longer text
// is cut. Returns the number of units written before the terminator.
size_t BuildExplanation(bool japanese, wchar_t* buffer, size_t capacity);
