#include "app/MainWindow.h"

#include <windowsx.h>

#include "app/AppGlobals.h"
#include "app/Controls.h"
#include "app/ErrorMessage.h"
#include "app/FocusKeeper.h"
#include "app/InterfaceTexts.h"
#include "app/KeyboardNavigation.h"
#include "help/ExplainDialog.h"
#include "app/FormulaRowsWindow.h"
#include "app/Language.h"
#include "app/Layout.h"
#include "app/LogMenu.h"
#include "app/PanelWindow.h"
#include "app/ResourceIds.h"
#include "app/WindowState.h"
#include "util/DpiScale.h"
#include "util/MessageReport.h"
#include "settings/IniFile.h"

namespace {

// Crackers that windowsx.h lacks, in its shape.
#define HANDLE_WM_SIZING(hwnd, wParam, lParam, fn) \
    ((fn)((hwnd), static_cast<UINT>(wParam), reinterpret_cast<RECT*>(lParam)), 0)
#define HANDLE_WM_DPICHANGED(hwnd, wParam, lParam, fn) \
    ((fn)((hwnd), HIWORD(wParam), reinterpret_cast<const RECT*>(lParam)), 0)
#define HANDLE_WM_SETTINGCHANGE(hwnd, wParam, lParam, fn) \
    ((fn)((hwnd), static_cast<UINT>(wParam), reinterpret_cast<const wchar_t*>(lParam)), 0)

constexpr int LOG_FONT_HEIGHT = 16;
constexpr int ANSWER_FONT_HEIGHT = 30;

// Heights in 96-DPI pixels, created at the current DPI.
HFONT CreateFixedFont(int height)
{
    return CreateFontW(Scaled(height), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, nullptr);
}

// The panel on top, as wide as the client area; the log takes the height below it.
RECT PanelRect(int width)
{
    return {0, 0, width, Scaled(PANEL_HEIGHT)};
}

RECT LogRect(int width, int height)
{
    const int top = Scaled(PANEL_HEIGHT);
    return {0, top, width, height > top ? height : top};
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

// A new message font for every control but the log and the answer field,
// at the current DPI: each control has it before the old one is deleted.
void RenewControlFont()
{
    HFONT old = g_hControlFont;
    g_hControlFont = CreateMessageFont(g_Dpi);
    SetPanelControlFont(g_hControlFont, true);
    DeleteObject(old);
}

// The DPI, then the fonts, then the panel (which builds the formula rows),
// then the log: each created where the first layout puts it.
BOOL OnCreate(HWND hwnd, LPCREATESTRUCT)
{
    g_hWndMain = hwnd;
    SetLayoutDpi(QueryDpi(hwnd));
    g_hLogFont = CreateFixedFont(LOG_FONT_HEIGHT);
    g_hAnswerFont = CreateFixedFont(ANSWER_FONT_HEIGHT);
    g_hControlFont = CreateMessageFont(g_Dpi);
    RECT client;
    GetClientRect(hwnd, &client);
    const RECT panel = PanelRect(client.right);
    CreateWindowExW(WS_EX_CONTROLPARENT, PANEL_CLASS, nullptr, WS_CHILD | WS_VISIBLE, panel.left, panel.top,
                    panel.right, panel.bottom, hwnd, reinterpret_cast<HMENU>(IDC_PANEL), g_hInst, nullptr);
    const RECT log = LogRect(client.right, client.bottom);
    g_hWndLog = CreateWindowExW(0, L"LISTBOX", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT
                                    | LBS_DISABLENOSCROLL | LBS_NOSEL | WS_TABSTOP,
                                log.left, log.top, log.right - log.left, log.bottom - log.top, hwnd,
                                reinterpret_cast<HMENU>(IDC_LOG), g_hInst, nullptr);
    SetWindowFont(g_hWndLog, g_hLogFont, FALSE);
    return TRUE;
}

// The panel keeps its 430 (96-DPI) pixels; the log takes the rest.
void OnSize(HWND, UINT, int width, int height)
{
    PlaceWindow(g_hWndPanel, PanelRect(width));
    PlaceWindow(g_hWndLog, LogRect(width, height));
    ClearComboSelections();
}

// Holds the dragged frame to at least 500 x 510 (96-DPI pixels) by moving
// its right or bottom edge.
void OnSizing(HWND, UINT, RECT* rect)
{
    if (rect->right - rect->left < Scaled(MIN_FRAME_WIDTH)) rect->right = rect->left + Scaled(MIN_FRAME_WIDTH);
    if (rect->bottom - rect->top < Scaled(MIN_FRAME_HEIGHT)) rect->bottom = rect->top + Scaled(MIN_FRAME_HEIGHT);
}

// The window moved to a monitor of another scaling, or the scaling changed:
// new fonts, the rectangle Windows suggests, and everything laid out again
// for the new DPI, the formula rows at the same scroll position.
void OnDpiChanged(HWND hwnd, int dpi, const RECT* suggested)
{
    const int position = RowsScrollPosition();
    SetLayoutDpi(dpi);
    HFONT oldLog = g_hLogFont;
    HFONT oldAnswer = g_hAnswerFont;
    g_hLogFont = CreateFixedFont(LOG_FONT_HEIGHT);
    g_hAnswerFont = CreateFixedFont(ANSWER_FONT_HEIGHT);
    SetWindowFont(g_hWndLog, g_hLogFont, TRUE);
    SetWindowFont(AnswerField(), g_hAnswerFont, TRUE);
    DeleteObject(oldLog);
    DeleteObject(oldAnswer);
    RenewControlFont();

    SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The size may have stayed, so the layout is not left to WM_SIZE.
    RECT client;
    GetClientRect(hwnd, &client);
    PlaceWindow(g_hWndPanel, PanelRect(client.right));
    PlaceWindow(g_hWndLog, LogRect(client.right, client.bottom));
    LayOutPanel();
    LayOutRows(position);
    RemeasureLineExtents();
}

// The user changed the system's fonts: the controls take the new message
// font, which may change the height of the combo boxes and the width of
// their lines, so they are placed and measured again.
void OnSettingChange(HWND hwnd, UINT action, const wchar_t* section)
{
    if (action == SPI_SETNONCLIENTMETRICS) {
        RenewControlFont();
        LayOutPanel();
        LayOutRows(RowsScrollPosition());
        RemeasureLineExtents();
    }
    DefWindowProcW(hwnd, WM_SETTINGCHANGE, action, reinterpret_cast<LPARAM>(section));
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
        ShowExplanation(g_hInst, g_hWndMain, g_Japanese);
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

// The log goes with the window: a save that fails at the end is told in a
// message box, in the interface language.
void ReportExitSaveFailure()
{
    const wchar_t* format = InterfaceText(TextId::SETTINGS_NOT_SAVED, g_Japanese);
    const DWORD error = g_pIniFile->GetSaveError();
    MessagePrintf(0, L"%s", ErrorMessage(error, format, g_pIniFile->GetIniPath()));
}

// Saves the state while every control still exists, then takes the window apart.
void OnDestroy(HWND)
{
    if (!SaveWindowState()) ReportExitSaveFailure();
    RemoveLogListProc();
    DeleteObject(g_hLogFont);
    DeleteObject(g_hAnswerFont);
    g_hLogFont = g_hAnswerFont = nullptr;
    HWND log = g_hWndLog;
    g_hWndLog = nullptr;
    DestroyWindow(log);
    DestroyWindow(g_hWndPanel);
    DeleteObject(g_hControlFont);
    g_hControlFont = nullptr;
    // Each window of the program ends the message loop as it goes: the
    // program cannot go on without any one of them.
    PostQuitMessage(0);
    g_hWndMain = nullptr;
}

}  // namespace

void ClearComboSelections()
{
    for (int row = 0; row < ROW_COUNT; ++row) {
        PostMessageW(FormulaBox(row), CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
    }
    for (int var = 0; var < VARIABLE_COUNT; ++var) {
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
        HANDLE_MSG(hwnd, WM_SIZING, OnSizing);
        HANDLE_MSG(hwnd, WM_DPICHANGED, OnDpiChanged);
        HANDLE_MSG(hwnd, WM_SETTINGCHANGE, OnSettingChange);
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}
