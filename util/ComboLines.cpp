#include "util/ComboLines.h"

#include <vector>

#include "util/LineExtent.h"
#include "util/TextFormat.h"

int ComboBoxPrintf(HWND hCombo, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const int index = ComboBoxPrintfV(hCombo, format, args);
    va_end(args);
    return index;
}

int ComboBoxPrintfV(HWND hCombo, const wchar_t* format, va_list args)
{
    int len = 0;
    const wchar_t* line = SharedFormat(&len, format, args);
    const auto index = static_cast<int>(SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line)));
    KeepLineExtent(hCombo, line, len, CB_GETHORIZONTALEXTENT, CB_SETHORIZONTALEXTENT);
    return index;
}

void ComboBoxAddLines(HWND hCombo, const wchar_t* const* lines, int count)
{
    std::vector<int> lengths;
    for (int i = 0; i < count; ++i) {
        SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lines[i]));
        lengths.push_back(lstrlenW(lines[i]));
    }
    KeepLinesExtent(hCombo, lines, lengths.data(), count, CB_GETHORIZONTALEXTENT, CB_SETHORIZONTALEXTENT);
}
