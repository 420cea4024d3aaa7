#include "app/FormulaRowsWindow.h"

#include <windowsx.h>

#include "app/AppGlobals.h"
#include "app/CalculateRow.h"
#include "app/Language.h"
#include "app/ResourceIds.h"
#include "app/RowHooks.h"
#include "util/LogLines.h"

namespace {

constexpr int ROW_PITCH = 30;  // also the scroll line
constexpr int MARGIN = 10;
constexpr int FIRST_POSITION = 1;

HWND g_hWndRows = nullptr;  // set by the rows window's WM_CREATE
// SIF_ALL, as the size-change log line shows it (17): the track position it
// includes is ignored when the state is set. With ten of twenty rows in view
// the bar always has something to scroll.
SCROLLINFO g_Scroll = {sizeof(SCROLLINFO), SIF_ALL, 1, ROW_COUNT, 0, FIRST_POSITION, 0};

BOOL OnCreate(HWND hwnd, LPCREATESTRUCT)
{
    g_hWndRows = hwnd;
    auto create = [hwnd](const wchar_t* className, const wchar_t* text, int id, int left, int top, int width,
                         int height, DWORD style) {
        return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, left, top, width, height, hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_hInst, nullptr);
    };
    for (int row = 0; row < ROW_COUNT; ++row) {
        const int top = ROW_PITCH * row;
        create(L"COMBOBOX", L"\t", IDC_FORMULA_FIRST + row, 10, top, 550, 300,
               CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_DISABLENOSCROLL | WS_BORDER | WS_VSCROLL | WS_HSCROLL);
        create(L"BUTTON", L"Dec", IDC_MODE_FIRST + row, 570, top, 40, 26, BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_BORDER);
        create(L"BUTTON", L"Calc", IDC_CALC_FIRST + row, 620, top, 50, 26, BS_PUSHBUTTON | WS_BORDER);
    }
    return TRUE;
}

int ControlWidth(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    return rect.right - rect.left;
}

int ControlHeight(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    return rect.bottom - rect.top;
}

// Right-aligns the Calc buttons and mode toggles, stretches the formula
// boxes up to them, and starts the view at the first row again: the rows go
// back to their own tops, so that scroll bar and rows agree.
void OnSize(HWND hwnd, UINT, int width, int height)
{
    for (int row = 0; row < ROW_COUNT; ++row) {
        const int top = ROW_PITCH * row;
        HWND calc = CalcButton(row);
        HWND toggle = ModeToggle(row);
        HWND box = FormulaBox(row);
        const int calcLeft = width - MARGIN - ControlWidth(calc);
        const int toggleLeft = calcLeft - ControlWidth(toggle);
        MoveWindow(calc, calcLeft, top, ControlWidth(calc), ControlHeight(calc), TRUE);
        MoveWindow(toggle, toggleLeft, top, ControlWidth(toggle), ControlHeight(toggle), TRUE);
        MoveWindow(box, 10, top, toggleLeft - 10, ControlHeight(box), TRUE);
    }

    g_Scroll.nMin = 1;
    g_Scroll.nMax = ROW_COUNT;
    g_Scroll.nPage = static_cast<UINT>(height / ROW_PITCH);
    g_Scroll.nPos = FIRST_POSITION;
    g_Scroll.nTrackPos = 0;
    SetScrollInfo(hwnd, SB_VERT, &g_Scroll, TRUE);
    TracePrintf(L"lineSiz=%d dispno=%d ", ROW_PITCH, static_cast<int>(g_Scroll.nPage));
    TracePrintf(L"si.fMask=%X si.nMin=%d si.nMax=%d si.nPage=%d si.nPos=%d si.nTrackPos=%d", g_Scroll.fMask,
                g_Scroll.nMin, g_Scroll.nMax, static_cast<int>(g_Scroll.nPage), g_Scroll.nPos, g_Scroll.nTrackPos);
}

// The change in rows that a scroll request asks for, kept inside the range.
int ScrollDelta(UINT request, int thumb)
{
    const int pos = g_Scroll.nPos;
    const int page = static_cast<int>(g_Scroll.nPage);
    const int lastTop = ROW_COUNT - page + 1;
    switch (request) {
    case SB_LINEUP: return pos >= 2 ? -1 : 0;
    case SB_LINEDOWN: return pos + page <= ROW_COUNT ? 1 : 0;
    case SB_PAGEUP: return pos - page >= 1 ? -page : 1 - pos;
    case SB_PAGEDOWN: return pos + page <= lastTop ? page : (lastTop > pos ? lastTop - pos : 0);
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return thumb - pos;
    default: return 0;
    }
}

void OnVScroll(HWND hwnd, HWND, UINT request, int thumb)
{
    const int delta = ScrollDelta(request, thumb);
    if (delta == 0) return;
    g_Scroll.nPos += delta;
    SetScrollInfo(hwnd, SB_VERT, &g_Scroll, TRUE);
    ScrollWindow(hwnd, 0, -delta * ROW_PITCH, nullptr, nullptr);
    UpdateWindow(hwnd);
}

// One row per wheel message, whatever the distance.
void OnMouseWheel(HWND hwnd, int, int, int distance, UINT)
{
    SendMessageW(hwnd, WM_VSCROLL, distance > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
}

void OnCommand(HWND, int id, HWND, UINT notification)
{
    if (id >= IDC_CALC_FIRST && id < IDC_CALC_FIRST + ROW_COUNT) {
        const int row = id - IDC_CALC_FIRST;
        CalculateRow(row);
        SendMessageW(FormulaBox(row), WM_SETFOCUS, 0, 0);
        // A combo box given the focus may select all of its text after
        // notifying us; the remembered selection goes back once more.
        PutBackSelection(row);
    } else if (id >= IDC_MODE_FIRST && id < IDC_MODE_FIRST + ROW_COUNT) {
        UpdateModeLabel(ModeToggle(id - IDC_MODE_FIRST));
    } else if (id >= IDC_FORMULA_FIRST && id < IDC_FORMULA_FIRST + ROW_COUNT) {
        if (notification == CBN_SETFOCUS) OnFormulaFocus(id - IDC_FORMULA_FIRST);
        else if (notification == CBN_KILLFOCUS) RemoveRowHooks();
    }
}

void OnDestroy(HWND)
{
    for (int row = 0; row < ROW_COUNT; ++row) {
        DestroyWindow(FormulaBox(row));
        DestroyWindow(ModeToggle(row));
        DestroyWindow(CalcButton(row));
    }
    g_hWndRows = nullptr;
    PostQuitMessage(0);
}

}  // namespace

HWND RowsWindow()
{
    return g_hWndRows;
}

HWND FormulaBox(int row)
{
    return GetDlgItem(g_hWndRows, IDC_FORMULA_FIRST + row);
}

HWND FormulaEdit(int row)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(FormulaBox(row), &info) ? info.hwndItem : nullptr;
}

HWND ModeToggle(int row)
{
    return GetDlgItem(g_hWndRows, IDC_MODE_FIRST + row);
}

HWND CalcButton(int row)
{
    return GetDlgItem(g_hWndRows, IDC_CALC_FIRST + row);
}

void UpdateModeLabel(HWND toggle)
{
    SetWindowTextW(toggle, ModeLabel(Button_GetCheck(toggle) == BST_CHECKED));
}

LRESULT CALLBACK FormulaRowsWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        HANDLE_MSG(hwnd, WM_CREATE, OnCreate);
        HANDLE_MSG(hwnd, WM_SIZE, OnSize);
        HANDLE_MSG(hwnd, WM_VSCROLL, OnVScroll);
        HANDLE_MSG(hwnd, WM_MOUSEWHEEL, OnMouseWheel);
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_DESTROY, OnDestroy);
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}
