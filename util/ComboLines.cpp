#include "util/ComboLines.h"

#include <vector>

#include "util/LineExtent.h"

void ComboBoxAddLines(HWND hCombo, const wchar_t* const* lines, int count, int dpi)
{
    std::vector<int> lengths;
    for (int i = 0; i < count; ++i) {
        SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lines[i]));
        lengths.push_back(lstrlenW(lines[i]));
    }
    KeepLinesExtent(hCombo, lines, lengths.data(), count, CB_GETHORIZONTALEXTENT, CB_SETHORIZONTALEXTENT, dpi);
}
