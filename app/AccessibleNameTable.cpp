#include "app/AccessibleNameTable.h"

#include "app/InterfaceTexts.h"
#include "app/ResourceIds.h"
#include "util/TextFormat.h"

namespace {

struct NameEntry {
    int firstId;
    int count;  // the ids firstId to firstId + count - 1; %d in a name is the place among them, from 1
    TextId name;
};

constexpr NameEntry NAMES[] = {
    {IDC_PANEL, 1, TextId::NAME_PANEL},
    {IDC_LOG, 1, TextId::NAME_LOG},
    {IDC_ANSWER, 1, TextId::NAME_ANSWER},
    {IDC_COPY, 1, TextId::NAME_COPY},
    {IDC_ON_TOP, 1, TextId::NAME_ON_TOP},
    {IDC_X, 1, TextId::NAME_X},
    {IDC_Y, 1, TextId::NAME_Y},
    {IDC_Z, 1, TextId::NAME_Z},
    {IDC_HELP_BUTTON, 1, TextId::NAME_HELP},
    {IDC_ROWS, 1, TextId::NAME_ROWS},
    {IDC_FORMULA_FIRST, ROW_COUNT, TextId::NAME_FORMULA},
    {IDC_MODE_FIRST, ROW_COUNT, TextId::NAME_MODE},
    {IDC_CALC_FIRST, ROW_COUNT, TextId::NAME_CALC},
};

}  // namespace

bool AccessibleNameOf(int id, bool japanese, wchar_t* name, size_t capacity)
{
    if (capacity > 0) name[0] = L'\0';
    for (const NameEntry& entry : NAMES) {
        if (id < entry.firstId || id >= entry.firstId + entry.count) continue;
        FormatText(name, capacity, InterfaceText(entry.name, japanese), id - entry.firstId + 1);
        return capacity > 0;
    }
    return false;
}
