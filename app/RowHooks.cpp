#include "app/RowHooks.h"

#include <windowsx.h>

#include "app/AppGlobals.h"
#include "app/Controls.h"
#include "util/OsErrorText.h"

namespace {

HHOOK g_KeyboardHook = nullptr;  // installed while a formula box has the focus
HHOOK g_MouseHook = nullptr;     // likewise
int g_FocusedRow = 0;            // the formula box that last got the focus
DWORD g_SelectionStart = 0;      // the remembered selection, one for all rows
DWORD g_SelectionEnd = 0;
bool g_EnterDown = false;        // Enter went down in a formula box and has not come up yet

constexpr LPARAM KEY_RELEASED = 0x80000000;

// The hooks act on what is the formula box's alone: not while a menu of the
// thread is open or a window is moved or sized from the keyboard (their
// loops take the keys through these same hooks), not once the focus is
// elsewhere, and not while the box's list is dropped down, which takes Enter
// and the wheel itself.
bool FormulaBoxHasTheInput()
{
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &thread)
        && (thread.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_INMOVESIZE))) {
        return false;
    }
    return GetFocus() == FormulaEdit(g_FocusedRow) && !ComboBox_GetDroppedState(FormulaBox(g_FocusedRow));
}

}  // namespace

void OnFormulaFocus(int row)
{
    g_FocusedRow = row;
    InstallRowHooks();
    PutBackSelection(row);
}

void PutBackSelection(int row)
{
    Edit_SetSel(FormulaEdit(row), g_SelectionStart, g_SelectionEnd);
}

// A hook that is already in place stays; none is installed twice.
void InstallRowHooks()
{
    g_EnterDown = false;
    if (!g_KeyboardHook) {
        g_KeyboardHook = SetWindowsHookExW(WH_KEYBOARD, RowKeyboardHook, g_hInst, GetCurrentThreadId());
        if (!g_KeyboardHook) {
            TracePrintf(L"%s", g_pOsErrorText->FormatLastError(L"キーボードフックに失敗しました [%OsErrCd%:%OsErr%]"));
        }
    }
    if (!g_MouseHook) {
        g_MouseHook = SetWindowsHookExW(WH_MOUSE, RowMouseHook, g_hInst, GetCurrentThreadId());
        if (!g_MouseHook) {
            TracePrintf(L"%s", g_pOsErrorText->FormatLastError(L"マウスフックに失敗しました [%OsErrCd%:%OsErr%]"));
        }
    }
}

void RemoveRowHooks()
{
    if (g_KeyboardHook) {
        if (!UnhookWindowsHookEx(g_KeyboardHook)) TracePrintf(L"キーボードフック解除に失敗");
        g_KeyboardHook = nullptr;
    }
    if (g_MouseHook) {
        if (!UnhookWindowsHookEx(g_MouseHook)) TracePrintf(L"マウスフック解除に失敗");
        g_MouseHook = nullptr;
    }
}

void PressCalcKeepingSelection(int row)
{
    SendMessageW(FormulaEdit(row), EM_GETSEL, reinterpret_cast<WPARAM>(&g_SelectionStart),
                 reinterpret_cast<LPARAM>(&g_SelectionEnd));
    SendMessageW(CalcButton(row), BM_CLICK, 0, 0);
    PutBackSelection(row);
}

// Enter never reaches the formula box; its release clicks the row's Calc
// button once, when the press came here too: the release of an Enter that
// closed a menu, a list or a dialog clicks nothing. A message only peeked at
// (HC_NOREMOVE) counts for nothing: it comes again when it is taken.
LRESULT CALLBACK RowKeyboardHook(int code, WPARAM key, LPARAM keyData)
{
    if (code < 0 || key != VK_RETURN) return CallNextHookEx(g_KeyboardHook, code, key, keyData);
    if (!FormulaBoxHasTheInput()) {
        if (code == HC_ACTION) g_EnterDown = false;
        return CallNextHookEx(g_KeyboardHook, code, key, keyData);
    }
    if (code == HC_ACTION && !(keyData & KEY_RELEASED)) {
        g_EnterDown = true;
    } else if (code == HC_ACTION && g_EnterDown) {
        g_EnterDown = false;
        PressCalcKeepingSelection(g_FocusedRow);
    }
    return 1;
}

// The wheel scrolls the rows instead of reaching the box under the cursor.
LRESULT CALLBACK RowMouseHook(int code, WPARAM message, LPARAM data)
{
    if (code < 0 || message != WM_MOUSEWHEEL || !FormulaBoxHasTheInput()) {
        return CallNextHookEx(g_MouseHook, code, message, data);
    }
    const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCTEX*>(data);
    SendMessageW(g_hWndRows, WM_MOUSEWHEEL, static_cast<WPARAM>(mouse->mouseData),
                 MAKELPARAM(mouse->pt.x, mouse->pt.y));
    return 1;
}
