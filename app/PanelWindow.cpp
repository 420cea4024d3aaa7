#include "app/PanelWindow.h"

#include <windowsx.h>

#include <iterator>

#include "app/AppGlobals.h"
#include "app/Clipboard.h"
#include "app/Controls.h"
#include "app/FormulaRowsWindow.h"
#include "app/Layout.h"
#include "app/ResourceIds.h"
#include "help/ExplainDialog.h"

namespace {

// What the panel does with a control besides placing it.
enum class Role {
    PLAIN,
    ANSWER,        // the answer field: its own font, found by handle (its label shares its id)
    VARIABLE_BOX,  // an x/y/z combo box: its dropped list's height follows the layout at a new DPI
};

struct ControlLayout {
    const wchar_t* className;
    const wchar_t* text;
    int id;
    Place place;
    DWORD style;  // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle;
    Role role;
};

constexpr DWORD VARIABLE_BOX_STYLE =
    CBS_DROPDOWN | CBS_DISABLENOSCROLL | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP;

// Created in this order, each where the layout puts it. The copy button and
// the on-top toggle keep to the right edge, the answer field stretches
// between label and copy button, each x/y/z box is B wide. The tab stops
// get WS_TABSTOP here, at creation: added afterwards, each costs a server
// request under Wine.
constexpr ControlLayout PANEL_CONTROLS[] = {
    {L"STATIC", L"Answer", IDC_ANSWER, {FromLeft(10), FromLeft(70), 0, 36}, SS_CENTER | SS_CENTERIMAGE, 0, Role::PLAIN},
    {L"EDIT", L"0", IDC_ANSWER, {FromLeft(70), FromRight(200), 0, 36},
     WS_BORDER | ES_READONLY | ES_RIGHT | WS_TABSTOP, WS_EX_CLIENTEDGE, Role::ANSWER},
    {L"BUTTON", L"Ans to Clip", IDC_COPY, {FromRight(190), FromRight(90), 0, 26},
     BS_PUSHBUTTON | WS_BORDER | WS_TABSTOP, 0, Role::PLAIN},
    {L"BUTTON", L"ForceFw", IDC_ON_TOP, {FromRight(80), FromRight(10), 0, 26},
     BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_BORDER | WS_TABSTOP, 0, Role::PLAIN},
    {L"STATIC", L"x", IDC_X_LABEL, {FromLeft(10), FromLeft(40), 40, 26}, SS_CENTER, 0, Role::PLAIN},
    {L"COMBOBOX", L"x", IDC_X, {FromLeft(40), FromLeft(40, 1), 40, 300}, VARIABLE_BOX_STYLE, 0, Role::VARIABLE_BOX},
    {L"STATIC", L"y", IDC_Y_LABEL, {FromLeft(60, 1), FromLeft(90, 1), 40, 26}, SS_CENTER, 0, Role::PLAIN},
    {L"COMBOBOX", L"y", IDC_Y, {FromLeft(90, 1), FromLeft(90, 2), 40, 300}, VARIABLE_BOX_STYLE, 0, Role::VARIABLE_BOX},
    {L"STATIC", L"z", IDC_Z_LABEL, {FromLeft(110, 2), FromLeft(140, 2), 40, 26}, SS_CENTER, 0, Role::PLAIN},
    {L"COMBOBOX", L"z", IDC_Z, {FromLeft(140, 2), FromLeft(140, 3), 40, 300}, VARIABLE_BOX_STYLE, 0,
     Role::VARIABLE_BOX},
    {L"BUTTON", L"?", IDC_HELP_BUTTON, {FromRight(40), FromRight(10), 40, 26},
     BS_PUSHBUTTON | WS_BORDER | WS_TABSTOP, 0, Role::PLAIN},
    {L"STATIC", L"Formulas", IDC_FORMULAS_CAPTION, {FromLeft(0), FromRight(0), 80, 20}, SS_CENTER, 0, Role::PLAIN},
};
constexpr int PANEL_CONTROL_COUNT = static_cast<int>(std::size(PANEL_CONTROLS));

constexpr Place ROWS_PLACE = {FromLeft(0), FromRight(0), 100, 310};

HWND g_Controls[PANEL_CONTROL_COUNT] = {};  // by table index, for the layout

BOOL OnCreate(HWND hwnd, LPCREATESTRUCT)
{
    g_hWndPanel = hwnd;
    RECT client;
    GetClientRect(hwnd, &client);
    for (int i = 0; i < PANEL_CONTROL_COUNT; ++i) {
        const ControlLayout& layout = PANEL_CONTROLS[i];
        const RECT rect = PlaceRect(layout.place, client.right);
        g_Controls[i] = CreateWindowExW(layout.exStyle, layout.className, layout.text,
                                        WS_CHILD | WS_VISIBLE | layout.style, rect.left, rect.top,
                                        rect.right - rect.left, rect.bottom - rect.top, hwnd,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), g_hInst, nullptr);
        if (layout.role == Role::ANSWER) RegisterAnswerField(g_Controls[i]);
        else RegisterControl(g_Controls[i]);
    }
    SetWindowFont(AnswerField(), g_hAnswerFont, FALSE);

    const RECT rows = PlaceRect(ROWS_PLACE, client.right);
    CreateWindowExW(WS_EX_CONTROLPARENT, ROWS_CLASS, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL, rows.left, rows.top,
                    rows.right - rows.left, rows.bottom - rows.top, hwnd, reinterpret_cast<HMENU>(IDC_ROWS), g_hInst,
                    nullptr);
    SetPanelControlFont(g_hControlFont, false);
    return TRUE;
}

// Puts every control where the width W and the DPI place it.
void PlaceControls(int width, DropHeight dropHeight)
{
    PlaceWindow(g_hWndRows, PlaceRect(ROWS_PLACE, width));
    for (int i = 0; i < PANEL_CONTROL_COUNT; ++i) {
        PlaceWindow(g_Controls[i], PlaceRect(PANEL_CONTROLS[i].place, width),
                    PANEL_CONTROLS[i].role == Role::VARIABLE_BOX ? dropHeight : DropHeight::NONE);
    }
}

void OnSize(HWND, UINT, int width, int)
{
    PlaceControls(width, DropHeight::KEEP);
}

// Makes the main window topmost while the on-top toggle is checked.
void ApplyAlwaysOnTop(HWND toggle)
{
    const bool onTop = Button_GetCheck(toggle) == BST_CHECKED;
    SetWindowPos(g_hWndMain, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void OnCommand(HWND, int id, HWND control, UINT)
{
    switch (id) {
    case IDC_COPY: CopyTextToClipboard(g_hWndMain, AnswerField()); break;
    case IDC_ON_TOP: ApplyAlwaysOnTop(control); break;
    case IDC_HELP_BUTTON: ShowExplanation(g_hInst, g_hWndMain, g_Japanese); break;
    default: break;
    }
}

// Like every window of the program, its end ends the message loop.
void OnDestroy(HWND hwnd)
{
    ForgetControlsOf(hwnd);
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(hwnd, GW_CHILD)) DestroyWindow(child);
    for (HWND& control : g_Controls) control = nullptr;
    g_hWndPanel = nullptr;
    PostQuitMessage(0);
}

}  // namespace

void LayOutPanel()
{
    RECT client;
    GetClientRect(g_hWndPanel, &client);
    PlaceControls(client.right, DropHeight::SET);
}

void SetPanelControlFont(HFONT font, bool redraw)
{
    for (int i = 0; i < PANEL_CONTROL_COUNT; ++i) {
        if (PANEL_CONTROLS[i].role != Role::ANSWER) SetWindowFont(g_Controls[i], font, redraw);
    }
    SetRowsFont(font, redraw);
}

// Every message, handled here or not, goes on to the default procedure,
// whose result is the answer.
LRESULT CALLBACK PanelWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: (void)HANDLE_WM_CREATE(hwnd, wParam, lParam, OnCreate); break;
    case WM_SIZE: (void)HANDLE_WM_SIZE(hwnd, wParam, lParam, OnSize); break;
    case WM_COMMAND: (void)HANDLE_WM_COMMAND(hwnd, wParam, lParam, OnCommand); break;
    case WM_DESTROY: (void)HANDLE_WM_DESTROY(hwnd, wParam, lParam, OnDestroy); break;
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
