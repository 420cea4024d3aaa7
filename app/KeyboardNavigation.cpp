#include "app/KeyboardNavigation.h"

#include <windowsx.h>

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "app/AppGlobals.h"
#include "app/Controls.h"
#include "app/PaneFocus.h"
#include "app/ResourceIds.h"
#include "app/RowHooks.h"

namespace {

HACCEL g_KeyTable = nullptr;   // the action keys; loaded by PrepareKeyboardNavigation
HWND g_EnterButton = nullptr;  // the button Enter went down on, pressed when it comes up there
int g_LastRow = 0;             // the row whose control last had the focus

bool IsOurs(HWND window)
{
    return window && g_hWndMain && (window == g_hWndMain || IsChild(g_hWndMain, window));
}

bool IsButton(HWND window)
{
    wchar_t className[8] = L"";
    return IsOurs(window) && GetClassNameW(window, className, 8) && lstrcmpiW(className, L"Button") == 0;
}

// The row the action keys work on: the focused one, else the last one that had the focus.
int CurrentRow()
{
    const int row = RowOfControl(GetFocus());
    return row >= 0 ? row : g_LastRow;
}

// Flips a check box drawn as a button and tells its parent, as a click does.
void Toggle(HWND parent, HWND button)
{
    Button_SetCheck(button, Button_GetCheck(button) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    FORWARD_WM_COMMAND(parent, GetDlgCtrlID(button), button, BN_CLICKED, SendMessageW);
}

// What a click on the button would send its parent; the focus stays where it is.
void Press(HWND parent, HWND button)
{
    FORWARD_WM_COMMAND(parent, GetDlgCtrlID(button), button, BN_CLICKED, SendMessageW);
}

// Ctrl+Down and Ctrl+Up: the next or previous row's formula box, no further
// than the last or first row. From outside the rows: back to the last row used.
void MoveToRow(int step)
{
    const int row = RowOfControl(GetFocus());
    const int target = row < 0 ? g_LastRow : row + step;
    if (target < 0 || target >= ROW_COUNT) return;
    SetFocus(FormulaBox(target));
    ScrollRowIntoView(FormulaBox(target));
}

// Enter on a focused button presses it when the key comes up, as Space does.
// A release whose press went elsewhere (the Enter that closed a dialog)
// presses nothing.
bool HandleEnterOnButton(const MSG& msg)
{
    if (msg.wParam != VK_RETURN) return false;
    HWND focus = GetFocus();
    if (msg.message == WM_KEYDOWN) {
        g_EnterButton = IsButton(focus) ? focus : nullptr;
        return g_EnterButton != nullptr;
    }
    if (msg.message != WM_KEYUP) return false;
    HWND pressed = g_EnterButton;
    g_EnterButton = nullptr;
    if (!pressed || pressed != focus) return false;
    SendMessageW(pressed, BM_CLICK, 0, 0);
    return true;
}

// The top and bottom of a row's controls in the rows window's client area.
void RowExtent(int row, LONG& top, LONG& bottom)
{
    top = LONG_MAX;
    bottom = LONG_MIN;
    for (HWND control : {FormulaBox(row), ModeToggle(row), CalcButton(row)}) {
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(HWND_DESKTOP, g_hWndRows, reinterpret_cast<POINT*>(&rect), 2);
        top = std::min(top, rect.top);
        bottom = std::max(bottom, rect.bottom);
    }
}

}  // namespace

void PrepareKeyboardNavigation()
{
    g_KeyTable = LoadAcceleratorsW(g_hInst, MAKEINTRESOURCEW(IDR_KEYS));
}

bool TranslateKeyboardInput(MSG& msg)
{
    const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
    const bool mouse = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
    if (!key && !mouse) return false;
    // Before each input, whatever came before it has moved the focus.
    HWND before = GetFocus();
    const int row = RowOfControl(before);
    if (row >= 0) g_LastRow = row;
    NotePaneFocus(before);
    if (!key || !IsOurs(msg.hwnd)) return false;

    const bool handled = (g_KeyTable && TranslateAcceleratorW(g_hWndMain, g_KeyTable, &msg))
                         || HandleEnterOnButton(msg) || IsDialogMessageW(g_hWndMain, &msg);
    HWND after = GetFocus();
    if (after != before) ScrollRowIntoView(after);
    return handled;
}

bool RunKeyCommand(int id)
{
    switch (id) {
    case IDM_NEXT_ROW: MoveToRow(1); return true;
    case IDM_PREVIOUS_ROW: MoveToRow(-1); return true;
    case IDM_TOGGLE_MODE: Toggle(g_hWndRows, ModeToggle(CurrentRow())); return true;
    case IDM_CALCULATE_ROW: PressCalcKeepingSelection(CurrentRow()); return true;
    case IDM_COPY_ANSWER: Press(g_hWndPanel, ControlById(IDC_COPY)); return true;
    case IDM_TOGGLE_ON_TOP: Toggle(g_hWndPanel, ControlById(IDC_ON_TOP)); return true;
    case IDM_NEXT_PANE: MoveToPane(1); return true;
    case IDM_PREVIOUS_PANE: MoveToPane(-1); return true;
    default: return false;
    }
}

int RowOfControl(HWND control)
{
    HWND rows = g_hWndRows;
    if (!control || !rows) return -1;
    if (GetParent(control) != rows) control = GetParent(control);  // the edit field of a formula box
    if (!control || GetParent(control) != rows) return -1;
    const std::optional<RowControl> rowControl = RowControlOf(GetDlgCtrlID(control));
    return rowControl ? rowControl->row : -1;
}

// Measured, not computed from the row pitch: whatever the layout, the
// scroll moves whole rows, and only as far as the scroll bar's range allows.
void ScrollRowIntoView(HWND control)
{
    const int row = RowOfControl(control);
    HWND rows = g_hWndRows;
    SCROLLINFO scroll = {};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (row < 0 || !GetScrollInfo(rows, SB_VERT, &scroll)) return;
    LONG top0, bottom0, top1, bottom1, top, bottom;
    RowExtent(0, top0, bottom0);
    RowExtent(1, top1, bottom1);
    RowExtent(row, top, bottom);
    const LONG pitch = top1 - top0;
    RECT client;
    GetClientRect(rows, &client);
    if (pitch <= 0) return;
    int lines = 0;
    if (top < client.top) {
        lines = -static_cast<int>((client.top - top + pitch - 1) / pitch);
    } else if (bottom > client.bottom) {
        lines = static_cast<int>((bottom - client.bottom + pitch - 1) / pitch);
    }
    const int lastTop = scroll.nMax - static_cast<int>(std::max<UINT>(scroll.nPage, 1)) + 1;
    const int target = std::clamp(scroll.nPos + lines, scroll.nMin, std::max(scroll.nMin, lastTop));
    if (target != scroll.nPos) SendMessageW(rows, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, target), 0);
}
