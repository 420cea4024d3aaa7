// Compiled once for each CASE by format_compile_check.cmake: case 0 must
// compile, every other case must be refused by the compiler.
#include "util/MessageReport.h"
#include "util/TextFormat.h"

void Use(wchar_t* text, const wchar_t* held)
{
#if CASE == 0
    FormatText(text, 8, L"%d|%02d|%#X|%I64d|%#I64X|%.3f|%.15g|%s|%S|%%", 1, 2u, 3u, 4LL, 5ULL, 6.0, 7.0, L"w", "n");
    FormatText(text, 8, held, 1);  // a format held in a variable is checked when used
    MessagePrintf(0, L"m_StackCnt=%d", 2);
#elif CASE == 1
    FormatText(text, 8, L"%#g", 1.0);  // a flag the formatter would ignore
#elif CASE == 2
    FormatText(text, 8, L"%q%d", 1);  // a directive it does not know
#elif CASE == 3
    FormatText(text, 8, L"%d %d", 1);  // an argument missing
#elif CASE == 4
    FormatText(text, 8, L"%d", 1, 2);  // one too many
#elif CASE == 5
    FormatText(text, 8, L"%d", 1.5);  // a double for an integer
#elif CASE == 6
    FormatText(text, 8, L"%d", 1LL);  // 64 bits without I64
#elif CASE == 7
    MessagePrintf(0, L"%s", "narrow");  // a narrow text for a wide one
#elif CASE == 8
    FormatText(text, 8, L"%5s", L"w");  // a width it would ignore
#endif
    (void)text;
    (void)held;
}
