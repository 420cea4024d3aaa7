#include "app/CalculateRow.h"

#include <windowsx.h>

#include <cwchar>
#include <string>

#include "app/AppGlobals.h"
#include "app/Controls.h"
#include "app/ResourceIds.h"
#include "app/WindowState.h"
#include "app/WindowText.h"
#include "engine/Calculation.h"
#include "util/MessageReport.h"

namespace {

// Whether entry 0 of the box holds exactly text, letter case included.
bool FirstEntryIs(HWND box, const wchar_t* text)
{
    const int length = ComboBox_GetLBTextLen(box, 0);
    if (length != lstrlenW(text)) return false;
    std::wstring entry(static_cast<size_t>(length) + 1, L'\0');
    ComboBox_GetLBText(box, 0, entry.data());
    return std::wcscmp(entry.c_str(), text) == 0;
}

}  // namespace

void CalculateRow(int row)
{
    HWND formulaBox = FormulaBox(row);
    CalculationRequest request;
    request.formula = WholeText(formulaBox);
    request.intMode = Button_GetCheck(ModeToggle(row)) == BST_CHECKED;
    request.japanese = g_Japanese;
    for (int var = 0; var < VARIABLE_COUNT; ++var) request.variables[var] = WholeText(VariableBox(var));

    const CalculationResult result = Calculate(request);
    if (result.outcome == CalculationResult::Outcome::TOO_LONG) {
        // The window has only the Japanese form of this message.
        MessagePrintf(0, L"%s", FormulaTooLongMessage(true));
        return;
    }
    // The histories take the texts as the engine read them, whatever the outcome.
    PromoteHistory(formulaBox, request.formula.c_str());
    for (int var = 0; var < VARIABLE_COUNT; ++var) {
        PromoteHistory(VariableBox(var), request.variables[var].substr(0, FORMULA_MAX_LENGTH).c_str());
    }

    SetWindowTextW(AnswerField(), result.answerText.c_str());
    for (const std::wstring& line : result.logLines) TracePrintf(L"%s", line.c_str());
    if (result.outcome == CalculationResult::Outcome::ANSWERED) {
        for (int var = 0; var < VARIABLE_COUNT; ++var) SetWindowTextW(VariableBox(var), result.variables[var].c_str());
        for (int var = 0; var < VARIABLE_COUNT; ++var) PromoteHistory(VariableBox(var), result.variables[var].c_str());
        SaveWindowState();
    }
}

void PromoteHistory(HWND box, const wchar_t* text)
{
    // The search starts after entry 0 and wraps round to it last. It ignores
    // letter case, the engine does not: a text that differs only in case
    // (SIN(1) corrected to sin(1)) takes the found entry's place.
    const int found = ComboBox_FindStringExact(box, 0, text);
    if (found == 0 && FirstEntryIs(box, text)) return;
    NoteHistoryChanged(box);
    if (found == CB_ERR) {
        ComboBox_InsertString(box, 0, text);
    } else {
        ComboBox_InsertString(box, 0, text);
        ComboBox_DeleteString(box, found + 1);
        ComboBox_SetCurSel(box, 0);
        SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
    }
}
