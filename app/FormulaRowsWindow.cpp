#include "app/FormulaRowsWindow.h"

#include <windowsx.h>

#include <optional>

#include "app/AppGlobals.h"
#include "app/CalculateRow.h"
#include "app/Controls.h"
#include "app/Layout.h"
#include "app/ModeCaption.h"
#include "app/ResourceIds.h"
#include "app/RowHooks.h"

namespace {

constexpr int FIRST_POSITION = 1;

// SIF_ALL, as the size-change log line shows it (17): the track position it
// includes is ignored when the state is set. With ten of twenty rows in view
// the bar always has something to scroll.
SCROLLINFO g_Scroll = {sizeof(SCROLLINFO), SIF_ALL, 1, ROW_COUNT, 0, FIRST_POSITION, 0};

struct RowControlLayout {
    const wchar_t* className;
    const wchar_t* text;
    int firstId;
    Place place;  // of row 0 with the first row at the top
    DWORD style;  // besides WS_CHILD | WS_VISIBLE
};

// The three controls of a row, created in this order: the Calc button keeps
// to the right edge, the mode toggle to its left, the formula box reaches
// the toggle. All three are tab stops from creation on.
constexpr RowControlLayout ROW_CONTROLS[] = {
    {L"COMBOBOX", L"\t", IDC_FORMULA_FIRST, {FromLeft(10), FromRight(100), 0, 300},
     CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_DISABLENOSCROLL | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP},
    {L"BUTTON", L"Dec", IDC_MODE_FIRST, {FromRight(100), FromRight(60), 0, 26},
     BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_BORDER | WS_TABSTOP},
    {L"BUTTON", L"Calc", IDC_CALC_FIRST, {FromRight(60), FromRight(10), 0, 26}, BS_PUSHBUTTON | WS_BORDER | WS_TABSTOP},
};
constexpr int FORMULA_COLUMN = 0;
constexpr int COLUMN_COUNT = 3;

HWND RowControlHandle(int column, int row)
{
    return ControlById(ROW_CONTROLS[column].firstId + row);
}

// Where a control of a row stands with the view at position.
RECT RowControlRect(int column, int row, int width, int position)
{
    RECT rect = PlaceRect(ROW_CONTROLS[column].place, width);
    OffsetRect(&rect, 0, Scaled(ROW_PITCH) * (row - (position - 1)));
    return rect;
}

BOOL OnCreate(HWND hwnd, LPCREATESTRUCT)
{
    g_hWndRows = hwnd;
    RECT client;
    GetClientRect(hwnd, &client);
    for (int row = 0; row < ROW_COUNT; ++row) {
        for (int column = 0; column < COLUMN_COUNT; ++column) {
            const RowControlLayout& control = ROW_CONTROLS[column];
            const RECT rect = RowControlRect(column, row, client.right, FIRST_POSITION);
            RegisterControl(
                CreateWindowExW(0, control.className, control.text, WS_CHILD | WS_VISIBLE | control.style, rect.left,
                                rect.top, rect.right - rect.left, rect.bottom - rect.top, hwnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.firstId + row)), g_hInst, nullptr));
        }
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        RegisterFormulaEdit(row, GetComboBoxInfo(FormulaBox(row), &info) ? info.hwndItem : nullptr);
    }
    return TRUE;
}

// Puts every row where the width, the DPI and the scroll position place it,
// and hands the scroll state to the scroll bar.
void PlaceRows(HWND hwnd, int width, int height, int position, DropHeight dropHeight)
{
    for (int row = 0; row < ROW_COUNT; ++row) {
        for (int column = 0; column < COLUMN_COUNT; ++column) {
            PlaceWindow(RowControlHandle(column, row), RowControlRect(column, row, width, position),
                        column == FORMULA_COLUMN ? dropHeight : DropHeight::NONE);
        }
    }
    g_Scroll.nMin = 1;
    g_Scroll.nMax = ROW_COUNT;
    g_Scroll.nPage = static_cast<UINT>(height / Scaled(ROW_PITCH));
    g_Scroll.nPos = position;
    g_Scroll.nTrackPos = 0;
    SetScrollInfo(hwnd, SB_VERT, &g_Scroll, TRUE);
}

// Right-aligns the Calc buttons and mode toggles, stretches the formula
// boxes up to them, and starts the view at the first row again: the rows go
// back to their own tops, so that scroll bar and rows agree.
void OnSize(HWND hwnd, UINT, int width, int height)
{
    PlaceRows(hwnd, width, height, FIRST_POSITION, DropHeight::KEEP);
    TracePrintf(L"lineSiz=%d dispno=%d ", Scaled(ROW_PITCH), static_cast<int>(g_Scroll.nPage));
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
    ScrollWindow(hwnd, 0, -delta * Scaled(ROW_PITCH), nullptr, nullptr);
    UpdateWindow(hwnd);
}

// One row per wheel message, whatever the distance.
void OnMouseWheel(HWND hwnd, int, int, int distance, UINT)
{
    SendMessageW(hwnd, WM_VSCROLL, distance > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
}

void OnCommand(HWND, int id, HWND, UINT notification)
{
    const std::optional<RowControl> control = RowControlOf(id);
    if (!control) return;
    const int row = control->row;
    switch (control->part) {
    case RowPart::CALC:
        CalculateRow(row);
        SendMessageW(FormulaBox(row), WM_SETFOCUS, 0, 0);
        PutBackSelection(row);
        break;
    case RowPart::MODE: UpdateModeLabel(ModeToggle(row)); break;
    case RowPart::FORMULA:
        if (notification == CBN_SETFOCUS) OnFormulaFocus(row);
        else if (notification == CBN_KILLFOCUS) RemoveRowHooks();
        break;
    }
}

// Without any one of its windows the program cannot go on, so each window's
// end ends the message loop; the first quit message does, at the program's
// end all three come together.
void OnDestroy(HWND hwnd)
{
    ForgetControlsOf(hwnd);
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(hwnd, GW_CHILD)) DestroyWindow(child);
    g_hWndRows = nullptr;
    PostQuitMessage(0);
}

}  // namespace

void SetRowsFont(HFONT font, bool redraw)
{
    for (int row = 0; row < ROW_COUNT; ++row) {
        for (int column = 0; column < COLUMN_COUNT; ++column) SetWindowFont(RowControlHandle(column, row), font, redraw);
    }
}

int RowsScrollPosition()
{
    return g_Scroll.nPos;
}

void LayOutRows(int position)
{
    RECT client;
    GetClientRect(g_hWndRows, &client);
    const int page = client.bottom / Scaled(ROW_PITCH);
    const int lastTop = page < 1 ? ROW_COUNT : page < ROW_COUNT ? ROW_COUNT - page + 1 : 1;
    PlaceRows(g_hWndRows, client.right, client.bottom, position < 1 ? 1 : position > lastTop ? lastTop : position,
              DropHeight::SET);
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
