#pragma once
#include <windows.h>

#include <optional>

// The handles of the window's controls. Each window registers the controls it
// creates and forgets them before it destroys them; everything else finds a
// control here, without knowing which window made it. Kept from creation:
// looked up by id each time, every use would cost a search of the children.

// Registers a control under its id. The answer label and the answer field
// share an id: the label registers under it, the field as the answer field.
void RegisterControl(HWND control);
void RegisterAnswerField(HWND field);
// The edit field inside row's formula box.
void RegisterFormulaEdit(int row, HWND edit);
// Forgets every registered control inside window.
void ForgetControlsOf(HWND window);

HWND ControlById(int id);  // null for an id nothing registered
HWND AnswerField();
HWND VariableBox(int var);  // 0 x, 1 y, 2 z
HWND FormulaBox(int row);
HWND FormulaEdit(int row);
HWND ModeToggle(int row);
HWND CalcButton(int row);

// Which control of which formula row a control id names.
enum class RowPart { FORMULA, MODE, CALC };
struct RowControl {
    RowPart part;
    int row;
};
std::optional<RowControl> RowControlOf(int id);
