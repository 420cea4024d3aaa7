#include "app/FocusKeeper.h"

#include <windowsx.h>

#include "app/AppGlobals.h"
#include "app/Controls.h"
#include "app/KeyboardNavigation.h"

namespace {

HWND g_LastFocus = nullptr;      // the control that had the focus when the main window was last deactivated
DWORD g_SelectionStart = 0;      // its selection, when it is an edit field
DWORD g_SelectionEnd = 0;
bool g_HasSelection = false;

bool IsEditField(HWND window)
{
    wchar_t className[8] = L"";
    return GetClassNameW(window, className, 8) && lstrcmpiW(className, L"Edit") == 0;
}

bool CanTakeFocus(HWND window)
{
    return window && IsChild(g_hWndMain, window) && IsWindowVisible(window) && IsWindowEnabled(window);
}

}  // namespace

// Posted: the start-up queue still holds the messages that clear every
// combo box's selection, and this has to come after them.
void FocusFirstFormula()
{
    SetFocus(FormulaBox(0));
    PostMessageW(FormulaEdit(0), EM_SETSEL, 0, -1);
}

void RememberFocus()
{
    HWND focus = GetFocus();
    if (!CanTakeFocus(focus)) return;
    g_LastFocus = focus;
    g_HasSelection = IsEditField(focus);
    if (g_HasSelection) {
        SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&g_SelectionStart),
                     reinterpret_cast<LPARAM>(&g_SelectionEnd));
    }
}

// A combo box selects all of its text when it gets the focus; the caret or
// selection the user left goes back afterwards, so typing goes on where it was.
bool RestoreFocus()
{
    HWND target = CanTakeFocus(g_LastFocus) ? g_LastFocus : FormulaBox(0);
    if (!CanTakeFocus(target)) return false;
    const bool putBack = target == g_LastFocus && g_HasSelection;
    SetFocus(target);
    ScrollRowIntoView(target);
    if (putBack) PostMessageW(target, EM_SETSEL, g_SelectionStart, g_SelectionEnd);
    return true;
}
