#include "app/CalculateRow.h"

#include <windowsx.h>

#include <cwchar>
#include <string>

#include "app/AppGlobals.h"
#include "app/FormulaRowsWindow.h"
#include "app/PanelWindow.h"
#include "app/ResourceIds.h"
#include "app/WindowState.h"
#include "engine/FormulaEngine.h"
#include "util/MessageReport.h"

namespace {

wchar_t* VariableText(FormulaEngine& engine, int var)
{
    return var == 0 ? engine.m_sX : var == 1 ? engine.m_sY : engine.m_sZ;
}

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
    FormulaEngine fCalc;
    HWND formulaBox = FormulaBox(row);
    if (GetWindowTextLengthW(formulaBox) > TEXT_CAPACITY - 1) {
        MessagePrintf(0, L"式が長過ぎます。");
        return;
    }
    GetWindowTextW(formulaBox, fCalc.m_sBuff, TEXT_CAPACITY);
    fCalc.m_Japanese = g_Japanese ? 1 : 0;
    fCalc.m_IntMode = Button_GetCheck(ModeToggle(row)) == BST_CHECKED ? 1 : 0;
    PromoteHistory(formulaBox, fCalc.m_sBuff);

    // GetWindowTextW cuts a longer variable text to 1023 characters.
    for (int var = 0; var < VARIABLE_COUNT; ++var) GetWindowTextW(VariableBox(var), VariableText(fCalc, var), TEXT_CAPACITY);
    for (int var = 0; var < VARIABLE_COUNT; ++var) PromoteHistory(VariableBox(var), VariableText(fCalc, var));

    const wchar_t* answer = fCalc.Calculate();
    if (answer) {
        SetWindowTextW(AnswerField(), answer);
        TracePrintf(L"Ans=[%s]", answer);
        for (int var = 0; var < VARIABLE_COUNT; ++var) SetWindowTextW(VariableBox(var), VariableText(fCalc, var));
        for (int var = 0; var < VARIABLE_COUNT; ++var) PromoteHistory(VariableBox(var), VariableText(fCalc, var));
        SaveWindowState();
    } else {
        SetWindowTextW(AnswerField(), L"Erorr");
        TracePrintf(L"%s", fCalc.m_sBuff);
        TracePrintf(L"%s", fCalc.m_sErr);
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
