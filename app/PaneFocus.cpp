#include "app/PaneFocus.h"

#include "app/AppGlobals.h"
#include "app/Controls.h"

namespace {

enum Pane { PANEL, ROWS, LOG, PANE_COUNT };

HWND g_PaneFocus[PANE_COUNT] = {};  // the control of each pane that last had the focus; set by NotePaneFocus

// The rows lie inside the panel, so they are asked first.
int PaneOf(HWND control)
{
    if (!control) return -1;
    if (control == g_hWndLog) return LOG;
    if (g_hWndRows && IsChild(g_hWndRows, control)) return ROWS;
    if (g_hWndPanel && IsChild(g_hWndPanel, control)) return PANEL;
    return -1;
}

// Where a pane's focus goes before any control of it had the focus.
HWND FirstOf(int pane)
{
    switch (pane) {
    case PANEL: return AnswerField();
    case ROWS: return FormulaBox(0);
    default: return g_hWndLog;
    }
}

bool IsComboBox(HWND window)
{
    wchar_t className[10] = L"";
    return window && GetClassNameW(window, className, 10) && lstrcmpiW(className, L"ComboBox") == 0;
}

}  // namespace

// The edit field of a combo box stands for its box: the box, given the
// focus, tells its parent (the rows install their hooks on that).
void NotePaneFocus(HWND focus)
{
    HWND parent = focus ? GetParent(focus) : nullptr;
    if (IsComboBox(parent)) focus = parent;
    const int pane = PaneOf(focus);
    if (pane >= 0) g_PaneFocus[pane] = focus;
}

// From the main window itself, which belongs to no pane, F6 goes to the
// panel and Shift+F6 to the log.
void MoveToPane(int step)
{
    HWND focus = GetFocus();
    NotePaneFocus(focus);
    const int pane = PaneOf(focus);
    const int next = pane < 0 ? (step > 0 ? PANEL : LOG) : (pane + PANE_COUNT + step) % PANE_COUNT;
    SetFocus(g_PaneFocus[next] ? g_PaneFocus[next] : FirstOf(next));
}
