#include "app/Controls.h"

#include <array>

#include "app/ResourceIds.h"

namespace {

// Every control id is below this; the arrays are indexed by id.
constexpr int ID_LIMIT = IDC_CALC_FIRST + ROW_COUNT;
static_assert(IDC_FORMULA_FIRST + ROW_COUNT <= IDC_MODE_FIRST && IDC_MODE_FIRST + ROW_COUNT <= IDC_CALC_FIRST,
              "the ids of the rows' controls do not overlap");

std::array<HWND, ID_LIMIT> g_ById = {};
std::array<HWND, ROW_COUNT> g_FormulaEdits = {};
HWND g_AnswerField = nullptr;

bool InRange(int id)
{
    return id >= 0 && id < ID_LIMIT;
}

}  // namespace

void RegisterControl(HWND control)
{
    const int id = GetDlgCtrlID(control);
    if (InRange(id) && !g_ById[id]) g_ById[id] = control;
}

void RegisterAnswerField(HWND field)
{
    g_AnswerField = field;
}

void RegisterFormulaEdit(int row, HWND edit)
{
    g_FormulaEdits[row] = edit;
}

void ForgetControlsOf(HWND window)
{
    auto forget = [window](HWND& control) {
        if (control && IsChild(window, control)) control = nullptr;
    };
    for (HWND& control : g_ById) forget(control);
    for (HWND& edit : g_FormulaEdits) forget(edit);
    forget(g_AnswerField);
}

HWND ControlById(int id)
{
    return InRange(id) ? g_ById[id] : nullptr;
}

HWND AnswerField()
{
    return g_AnswerField;
}

HWND VariableBox(int var)
{
    return ControlById(IDC_X + 2 * var);
}

HWND FormulaBox(int row)
{
    return ControlById(IDC_FORMULA_FIRST + row);
}

HWND FormulaEdit(int row)
{
    return g_FormulaEdits[row];
}

HWND ModeToggle(int row)
{
    return ControlById(IDC_MODE_FIRST + row);
}

HWND CalcButton(int row)
{
    return ControlById(IDC_CALC_FIRST + row);
}

std::optional<RowControl> RowControlOf(int id)
{
    constexpr struct {
        int firstId;
        RowPart part;
    } PARTS[] = {{IDC_FORMULA_FIRST, RowPart::FORMULA}, {IDC_MODE_FIRST, RowPart::MODE}, {IDC_CALC_FIRST, RowPart::CALC}};
    for (const auto& part : PARTS) {
        if (id >= part.firstId && id < part.firstId + ROW_COUNT) return RowControl{part.part, id - part.firstId};
    }
    return std::nullopt;
}
