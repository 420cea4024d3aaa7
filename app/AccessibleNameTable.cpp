#include "app/AccessibleNameTable.h"

#include "app/ResourceIds.h"
#include "util/TextFormat.h"

namespace {

struct NameEntry {
    int firstId;
    int count;  // the ids firstId to firstId + count - 1; %d in a name is the place among them, from 1
    const wchar_t* english;
    const wchar_t* japanese;
};

// The copy button and the on-top toggle have names of their own: their
// captions are too short to say what they do.
constexpr NameEntry NAMES[] = {
    {IDC_PANEL, 1, L"Answer and variables", L"答えと変数"},
    {IDC_LOG, 1, L"Log", L"ログ"},
    {IDC_ANSWER, 1, L"Answer", L"答え"},
    {IDC_COPY, 1, L"Copy the answer to the clipboard", L"答えをクリップボードへコピー"},
    {IDC_ON_TOP, 1, L"Keep the window on top", L"ウィンドウを最前面に表示"},
    {IDC_X, 1, L"Variable x", L"変数x"},
    {IDC_Y, 1, L"Variable y", L"変数y"},
    {IDC_Z, 1, L"Variable z", L"変数z"},
    {IDC_HELP_BUTTON, 1, L"Explanation of the format", L"書式の説明"},
    {IDC_ROWS, 1, L"Formulas", L"式"},
    {IDC_FORMULA_FIRST, ROW_COUNT, L"Formula %d", L"式%d"},
    {IDC_MODE_FIRST, ROW_COUNT, L"Mode of formula %d", L"式%dのモード"},
    {IDC_CALC_FIRST, ROW_COUNT, L"Calculate formula %d", L"式%dを計算"},
};

}  // namespace

bool AccessibleNameOf(int id, bool japanese, wchar_t* name, size_t capacity)
{
    if (capacity > 0) name[0] = L'\0';
    for (const NameEntry& entry : NAMES) {
        if (id < entry.firstId || id >= entry.firstId + entry.count) continue;
        FormatText(name, capacity, japanese ? entry.japanese : entry.english, id - entry.firstId + 1);
        return capacity > 0;
    }
    return false;
}
