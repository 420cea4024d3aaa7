#include "app/MainWindow.h"

#include <windowsx.h>

#include "app/AppGlobals.h"
#include "app/FocusKeeper.h"
#include "app/KeyboardNavigation.h"
#include "help/ExplainDialog.h"
#include "app/FormulaRowsWindow.h"
#include "app/Language.h"
#include "app/LogMenu.h"
#include "app/PanelWindow.h"
#include "app/ResourceIds.h"
#include "app/WindowState.h"
#include "util/LogLines.h"
#include "util/MessageBoxSink.h"

namespace {

constexpr int PANEL_HEIGHT = 430;
constexpr int PANEL_HEIGHT_AT_CREATION = 350;  // until the first WM_SIZE
constexpr int MIN_WIDTH = 500;
constexpr int MIN_HEIGHT = 510;

HFONT g_hLogFont = nullptr;     // created and deleted by the main window
HFONT g_hAnswerFont = nullptr;  // likewise

HFONT CreateFixedFont(int height)
{
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, nullptr);
}

HWND Panel(HWND hwnd)
{
    return GetDlgItem(hwnd, IDC_PANEL);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

// Fonts first, then the panel (which builds the formula rows), then the log.
BOOL OnCreate(HWND hwnd, LPCREATESTRUCT)
{
    g_hWndMain = hwnd;
    g_hLogFont = CreateFixedFont(16);
    g_hAnswerFont = CreateFixedFont(30);
    RECT client;
    GetClientRect(hwnd, &client);
    CreateWindowExW(0, PANEL_CLASS, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, client.right, PANEL_HEIGHT_AT_CREATION,
                    hwnd, reinterpret_cast<HMENU>(IDC_PANEL), g_hInst, nullptr);
    g_hWndLog = CreateWindowExW(0, L"LISTBOX", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT
                                    | LBS_DISABLENOSCROLL | LBS_NOSEL,
                                0, PANEL_HEIGHT, client.right, client.bottom > PANEL_HEIGHT ? client.bottom - PANEL_HEIGHT : 0,
                                hwnd, reinterpret_cast<HMENU>(IDC_LOG), g_hInst, nullptr);
    SetWindowFont(g_hWndLog, g_hLogFont, FALSE);
    return TRUE;
}

// The panel keeps 430 pixels; the log takes the rest.
void OnSize(HWND hwnd, UINT, int width, int height)
{
    MoveWindow(Panel(hwnd), 0, 0, width, PANEL_HEIGHT, TRUE);
    MoveWindow(g_hWndLog, 0, PANEL_HEIGHT, width, height > PANEL_HEIGHT ? height - PANEL_HEIGHT : 0, TRUE);
    ClearComboSelections();
}

// Holds the dragged frame to at least 500 x 510 by moving its right or bottom edge.
void OnSizing(RECT* rect)
{
    if (rect->right - rect->left < MIN_WIDTH) rect->right = rect->left + MIN_WIDTH;
    if (rect->bottom - rect->top < MIN_HEIGHT) rect->bottom = rect->top + MIN_HEIGHT;
}

void OnCommand(HWND hwnd, int id, HWND, UINT)
{
    switch (id) {
    case IDM_ABOUT:
        DialogBoxW(g_hInst, MAKEINTRESOURCEW(IDD_ABOUT), hwnd, AboutDialogProc);
        break;
    case IDM_CLEAR_LOG:
        ListBox_ResetContent(g_hWndLog);
        break;
    case IDM_STORE_LOG:
        StoreLogToFile();
        break;
    case IDM_EXIT:
        DestroyWindow(hwnd);
        break;
    case IDM_EXPLAIN:
        ShowExplanation();
        break;
    case IDM_JAPANESE:
        ToggleMenuCheck(IDM_JAPANESE, g_Japanese);
        ApplyLanguage();
        break;
    default:
        if (!RunKeyCommand(id)) FORWARD_WM_COMMAND(hwnd, id, nullptr, 0, DefWindowProcW);
        break;
    }
}

// Leaving: the focused control is remembered, so that it gets the focus back.
void OnActivate(HWND hwnd, UINT state, HWND other, BOOL minimized)
{
    if (state == WA_INACTIVE) RememberFocus();
    FORWARD_WM_ACTIVATE(hwnd, state, other, minimized, DefWindowProcW);
}

// The focus never stays on the main window itself: it goes on to a control.
void OnSetFocus(HWND hwnd, HWND previous)
{
    if (!RestoreFocus()) FORWARD_WM_SETFOCUS(hwnd, previous, DefWindowProcW);
}

// Saves the state while every control still exists, then takes the window apart.
void OnDestroy(HWND hwnd)
{
    SaveWindowState();
    RemoveLogListProc();
    DeleteObject(g_hLogFont);
    DeleteObject(g_hAnswerFont);
    g_hLogFont = g_hAnswerFont = nullptr;
    HWND log = g_hWndLog;
    g_hWndLog = nullptr;
    DestroyWindow(log);
    DestroyWindow(Panel(hwnd));
    PostQuitMessage(0);
    g_hWndMain = nullptr;
}

}  // namespace

HFONT AnswerFont()
{
    return g_hAnswerFont;
}

void ClearComboSelections()
{
    for (int row = 0; row < ROW_COUNT; ++row) {
        PostMessageW(FormulaBox(row), CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
    }
    for (int var = 0; var < 3; ++var) {
        PostMessageW(VariableBox(var), CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
    }
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        HANDLE_MSG(hwnd, WM_CREATE, OnCreate);
        HANDLE_MSG(hwnd, WM_SIZE, OnSize);
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_ACTIVATE, OnActivate);
        HANDLE_MSG(hwnd, WM_SETFOCUS, OnSetFocus);
        HANDLE_MSG(hwnd, WM_DESTROY, OnDestroy);
    case WM_SIZING:
        OnSizing(reinterpret_cast<RECT*>(lParam));
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}
