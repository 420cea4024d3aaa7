#include "app/LogMenu.h"

#include <windowsx.h>

#include "app/AppGlobals.h"
#include "app/ErrorMessage.h"
#include "app/InterfaceTexts.h"
#include "app/ResourceIds.h"
#include "app/SaveDialog.h"
#include "util/ListFile.h"
#include "util/MessageReport.h"
#include "util/ModulePath.h"

namespace {

WNDPROC g_PreviousLogListProc = nullptr;  // the list box's own procedure while LogListProc is in front

// The log's own menu, its top left corner at the screen point: clear it,
// or store it in a file.
void ShowLogMenu(HWND hwnd, POINT screen)
{
    HMENU menu = CreatePopupMenu();
    // The log's menu has only its Japanese texts, whatever the interface language.
    AppendMenuW(menu, MF_STRING, IDM_CLEAR_LOG, InterfaceText(TextId::CLEAR_LOG, true));
    AppendMenuW(menu, MF_STRING, IDM_STORE_LOG, InterfaceText(TextId::STORE_LOG, true));
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, hwnd, nullptr);
    DestroyMenu(menu);
}

// At the mouse, on the right button's release.
void OnRButtonUp(HWND hwnd, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(hwnd, &point);
    ShowLogMenu(hwnd, point);
}

// Shift+F10 and the context-menu key ask for the menu without a position
// (-1, -1): it opens at the first line in view, which begins at the top left
// corner of the list's client area. False for a request from the mouse,
// which the list box's own procedure answers.
bool OnContextMenu(HWND hwnd, LPARAM position)
{
    if (GET_X_LPARAM(position) != -1 || GET_Y_LPARAM(position) != -1) return false;
    POINT point = {0, 0};
    ClientToScreen(hwnd, &point);
    ShowLogMenu(hwnd, point);
    return true;
}

void ReportStoreFailure(const wchar_t* path)
{
    const wchar_t* format = InterfaceText(TextId::LOG_NOT_STORED, g_Japanese);
    const DWORD error = GetLastError();
    MessagePrintf(0, L"%s", ErrorMessage(error, format, path));
}

// The log menu's commands come to the list itself; false for any other.
bool OnCommand(HWND hwnd, int id)
{
    switch (id) {
    case IDM_CLEAR_LOG: ListBox_ResetContent(hwnd); return true;
    case IDM_STORE_LOG: StoreLogToFile(); return true;
    default: return false;
    }
}

}  // namespace

void InstallLogListProc()
{
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(g_hWndLog, GWLP_WNDPROC));
    if (current == LogListProc) return;
    g_PreviousLogListProc = current;
    SetWindowLongPtrW(g_hWndLog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LogListProc));
}

void RemoveLogListProc()
{
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(g_hWndLog, GWLP_WNDPROC));
    if (current != LogListProc) return;
    SetWindowLongPtrW(g_hWndLog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_PreviousLogListProc));
    g_PreviousLogListProc = nullptr;
}

LRESULT CALLBACK LogListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // What the log handles answers 1 and does not reach the list box's own procedure.
    switch (msg) {
    case WM_RBUTTONUP: OnRButtonUp(hwnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 1;
    case WM_CONTEXTMENU:
        if (OnContextMenu(hwnd, lParam)) return 1;
        break;
    case WM_COMMAND:
        if (OnCommand(hwnd, LOWORD(wParam))) return 1;
        break;
    default: break;
    }
    return CallWindowProcW(g_PreviousLogListProc, hwnd, msg, wParam, lParam);
}

void StoreLogToFile()
{
    wchar_t path[PATH_CAPACITY];
    lstrcpynW(path, ModulePathWithExt(L".txt"), PATH_CAPACITY);

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = g_hWndMain;
    dialog.lpstrFilter = L"Text files {*.txt}\0*.txt\0All files {*.*}\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = PATH_CAPACITY;
    dialog.lpstrTitle = L"ログを名前を付けて保存";
    dialog.lpstrDefExt = L"txt";
    dialog.Flags = OFN_OVERWRITEPROMPT;
    if (!ShowSaveDialog(&dialog)) return;

    // The line goes in first, so the file ends with it.
    TracePrintf(L"保存ファイル名=[%s]", path);
    if (ListBoxSaveToFile(g_hWndLog, path, 0) != 0) ReportStoreFailure(path);
}
