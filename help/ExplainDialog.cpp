#include "help/ExplainDialog.h"

#include <memory>
#include <new>

#include "help/ExplainIds.h"
#include "help/ExplainTexts.h"

namespace {

// Fills the edit control with the text of the language asked for, caret at the start.
INT_PTR OnInitDialog(HWND hDlg, bool japanese)
{
    HWND hEdit = GetDlgItem(hDlg, IDC_EXPLAIN_TEXT);
    // Value-initialised, so cleared; nothrow, as no exception may leave a dialog procedure.
    std::unique_ptr<wchar_t[]> buffer(new (std::nothrow) wchar_t[EXPLAIN_CAPACITY]());
    if (buffer) {
        BuildExplanation(japanese, buffer.get(), EXPLAIN_CAPACITY);
        SetWindowTextW(hEdit, buffer.get());
    }
    SendMessageW(hEdit, EM_SCROLLCARET, 0, 0);
    // Posted: setting the text selects it all when the dialog manager focuses
    // the control, and this has to come after that.
    PostMessageW(hEdit, EM_SETSEL, 0, 0);
    return TRUE;  // the dialog manager focuses the edit control, the first tab stop
}

// OK (or Enter) and Cancel (Escape) end the dialog.
INT_PTR OnCommand(HWND hDlg, int id)
{
    if (id != IDOK && id != IDCANCEL) return FALSE;
    EndDialog(hDlg, id);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK ExplainDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(hDlg, lParam != 0);  // the language ShowExplanation was given
    case WM_COMMAND:
        return OnCommand(hDlg, LOWORD(wParam));
    }
    return FALSE;
}

void ShowExplanation(HINSTANCE instance, HWND owner, bool japanese)
{
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_EXPLAIN), owner, ExplainDlgProc, japanese);
}
