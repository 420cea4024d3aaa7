#include "app/PanelWindow.h"

#include <windowsx.h>

#include <initializer_list>

#include "app/AppGlobals.h"
#include "app/Clipboard.h"
#include "help/ExplainDialog.h"
#include "app/Language.h"
#include "app/MainWindow.h"
#include "app/ResourceIds.h"

namespace {

constexpr int MARGIN = 10;

HWND g_hWndPanel = nullptr;   // set by the panel's WM_CREATE
HWND g_hWndAnswer = nullptr;  // likewise

struct ControlLayout {
    const wchar_t* className;
    const wchar_t* text;
    int id;
    int left, top, width, height;
    DWORD style;  // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle;
};

constexpr DWORD VARIABLE_BOX_STYLE = CBS_DROPDOWN | CBS_DISABLENOSCROLL | WS_BORDER | WS_VSCROLL | WS_HSCROLL;

// Created in this order; positions are those before the first layout.
constexpr ControlLayout PANEL_CONTROLS[] = {
    {L"STATIC", L"Answer", IDC_ANSWER, 10, 0, 60, 36, SS_CENTER | SS_CENTERIMAGE, 0},
    {L"EDIT", L"0", IDC_ANSWER, 50, 0, 430, 36, WS_BORDER | ES_READONLY | ES_RIGHT, WS_EX_CLIENTEDGE},
    {L"BUTTON", L"Ans to Clip", IDC_COPY, 510, 0, 100, 26, BS_PUSHBUTTON | WS_BORDER, 0},
    {L"BUTTON", L"ForceFw", IDC_ON_TOP, 620, 0, 70, 26, BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_BORDER, 0},
    {L"STATIC", L"x", IDC_X_LABEL, 10, 40, 30, 26, SS_CENTER, 0},
    {L"COMBOBOX", L"x", IDC_X, 50, 40, 160, 300, VARIABLE_BOX_STYLE, 0},
    {L"STATIC", L"y", IDC_Y_LABEL, 230, 40, 30, 26, SS_CENTER, 0},
    {L"COMBOBOX", L"y", IDC_Y, 270, 40, 160, 300, VARIABLE_BOX_STYLE, 0},
    {L"STATIC", L"z", IDC_Z_LABEL, 450, 40, 30, 26, SS_CENTER, 0},
    {L"COMBOBOX", L"z", IDC_Z, 490, 40, 170, 300, VARIABLE_BOX_STYLE, 0},
    {L"BUTTON", L"?", IDC_HELP_BUTTON, 660, 40, 30, 26, BS_PUSHBUTTON | WS_BORDER, 0},
    {L"STATIC", L"Formulas", IDC_FORMULAS_CAPTION, 10, 80, 600, 20, SS_CENTER, 0},
};

struct Bounds {
    int left, top, width, height;
};

Bounds BoundsOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// Moves a control horizontally; top and height stay.
void PlaceHorizontally(HWND control, int left, int width)
{
    const Bounds b = BoundsOf(control);
    MoveWindow(control, left, b.top, width, b.height, TRUE);
}

HWND Control(int id)
{
    return GetDlgItem(g_hWndPanel, id);
}

BOOL OnCreate(HWND hwnd, LPCREATESTRUCT)
{
    g_hWndPanel = hwnd;
    for (const ControlLayout& layout : PANEL_CONTROLS) {
        HWND control = CreateWindowExW(layout.exStyle, layout.className, layout.text, WS_CHILD | WS_VISIBLE | layout.style,
                                       layout.left, layout.top, layout.width, layout.height, hwnd,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), g_hInst, nullptr);
        if (layout.className[0] == L'E') g_hWndAnswer = control;
    }
    SetWindowFont(g_hWndAnswer, AnswerFont(), FALSE);

    RECT client;
    GetClientRect(hwnd, &client);
    CreateWindowExW(0, ROWS_CLASS, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 100, client.right - 20, 310,
                    hwnd, reinterpret_cast<HMENU>(IDC_ROWS), g_hInst, nullptr);
    return TRUE;
}

// Every control keeps its top and height; lefts and widths follow the width W.
void OnSize(HWND, UINT, int width, int)
{
    PlaceHorizontally(Control(IDC_ROWS), 0, width);

    HWND onTop = Control(IDC_ON_TOP);
    HWND copy = Control(IDC_COPY);
    HWND label = Control(IDC_ANSWER);  // the label is the first control with the id
    const Bounds onTopBounds = BoundsOf(onTop);
    const int onTopLeft = width - onTopBounds.width - MARGIN;
    PlaceHorizontally(onTop, onTopLeft, onTopBounds.width);
    const Bounds copyBounds = BoundsOf(copy);
    const int copyLeft = onTopLeft - MARGIN - copyBounds.width;
    PlaceHorizontally(copy, copyLeft, copyBounds.width);
    const Bounds labelBounds = BoundsOf(label);
    PlaceHorizontally(label, MARGIN, labelBounds.width);
    const int answerLeft = MARGIN + labelBounds.width;
    PlaceHorizontally(g_hWndAnswer, answerLeft, copyLeft - MARGIN - answerLeft);

    HWND help = Control(IDC_HELP_BUTTON);
    const Bounds helpBounds = BoundsOf(help);
    PlaceHorizontally(help, width - helpBounds.width - MARGIN, helpBounds.width);

    const int labelWidth = BoundsOf(Control(IDC_X_LABEL)).width;
    const int boxWidth = (width - helpBounds.width - 7 * MARGIN - 3 * labelWidth) / 3;
    int left = MARGIN;
    for (int id : {IDC_X_LABEL, IDC_Y_LABEL, IDC_Z_LABEL}) {
        PlaceHorizontally(Control(id), left, labelWidth);
        PlaceHorizontally(Control(id + 1), left + labelWidth, boxWidth);  // the box follows its label
        left += labelWidth + boxWidth + 2 * MARGIN;
    }

    PlaceHorizontally(Control(IDC_FORMULAS_CAPTION), 0, width);
}

void OnCommand(HWND, int id, HWND, UINT)
{
    switch (id) {
    case IDC_COPY: CopyAnswerToClipboard(); break;
    case IDC_ON_TOP: ApplyAlwaysOnTop(); break;
    case IDC_HELP_BUTTON: ShowExplanation(); break;
    default: break;
    }
}

void OnDestroy(HWND hwnd)
{
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(hwnd, GW_CHILD)) DestroyWindow(child);
    g_hWndAnswer = nullptr;
    g_hWndPanel = nullptr;
    PostQuitMessage(0);
}

}  // namespace

HWND AnswerField()
{
    return g_hWndAnswer;
}

HWND VariableBox(int var)
{
    return Control(IDC_X + 2 * var);
}

HWND PanelControl(int id)
{
    return Control(id);
}

// Handled messages are passed on to the default procedure as well.
LRESULT CALLBACK PanelWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: OnCreate(hwnd, reinterpret_cast<LPCREATESTRUCT>(lParam)); break;
    case WM_SIZE: OnSize(hwnd, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); break;
    case WM_COMMAND: OnCommand(hwnd, LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam)); break;
    case WM_DESTROY: OnDestroy(hwnd); break;
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
