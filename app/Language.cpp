#include "app/Language.h"

#include <windows.h>
#include <windowsx.h>

#include "app/AccessibleNames.h"
#include "app/AppGlobals.h"
#include "app/FormulaRowsWindow.h"
#include "app/PanelWindow.h"
#include "app/ResourceIds.h"

namespace {

struct Texts {
    const wchar_t* english;
    const wchar_t* japanese;
};

const wchar_t* Pick(const Texts& texts)
{
    return g_Japanese ? texts.japanese : texts.english;
}

// The texts of a control or menu item, by its id.
struct TextsById {
    int id;
    Texts texts;
};

constexpr TextsById PANEL_TEXTS[] = {
    {IDC_ANSWER, {L"Answer", L"答え"}},
    {IDC_COPY, {L"Ans to Clip", L"Clipへコピー"}},
    {IDC_ON_TOP, {L"ForceFw", L"最前面に"}},
    {IDC_FORMULAS_CAPTION, {L"Formulas", L"式"}},
};

constexpr Texts CALC_TEXT = {L"Calc", L"計算"};
constexpr Texts MODE_INT = {L"Int", L"整"};
constexpr Texts MODE_DEC = {L"Dec", L"小"};

constexpr Texts MENU_TITLES[] = {
    {L"File(&F)", L"ファイル(&F)"},
    {L"Help(&H)", L"ヘルプ(&H)"},
};

// In the order they are set.
constexpr TextsById MENU_ITEMS[] = {
    {IDM_CLEAR_LOG, {L"Clear Log(&C)", L"ログをクリア(&C)"}},
    {IDM_STORE_LOG, {L"Store Log in a file(&S)", L"ログをファイルに保存(&S)"}},
    {IDM_JAPANESE, {L"Japanese", L"日本語"}},
    {IDM_EXIT, {L"Exit(&X)", L"アプリケーションの終了(&X)"}},
    {IDM_EXPLAIN, {L"Explanation of the format", L"書式の説明"}},
    {IDM_ABOUT, {L"Version information(&A)...", L"バージョン情報(&A)..."}},
};

constexpr int SHORT_TEXT = 64;

// A hidden window (at start-up) gets its menu bar drawn when it is shown;
// redrawn before, it would be laid out twice.
void RedrawMenuBar()
{
    if (IsWindowVisible(g_hWndMain)) DrawMenuBar(g_hWndMain);
}  // longer than any text of the tables above

// Replaces only the text of a menu item (its id, state and submenu stay),
// unless it reads so already.
void SetMenuText(HMENU menu, UINT item, BOOL byPosition, const wchar_t* text)
{
    wchar_t current[SHORT_TEXT] = L"";
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = current;
    info.cch = SHORT_TEXT - 1;
    if (GetMenuItemInfoW(menu, item, byPosition, &info) && lstrcmpW(current, text) == 0) return;
    info.dwTypeData = const_cast<wchar_t*>(text);
    SetMenuItemInfoW(menu, item, byPosition, &info);
}

}  // namespace

void SetTextIfChanged(HWND window, const wchar_t* text)
{
    wchar_t current[SHORT_TEXT];
    const int length = GetWindowTextW(window, current, SHORT_TEXT);
    if (length < SHORT_TEXT - 1 && lstrcmpW(current, text) == 0) return;
    SetWindowTextW(window, text);
}

const wchar_t* ModeLabel(bool integerMode)
{
    return Pick(integerMode ? MODE_INT : MODE_DEC);
}

void PrepareMenu()
{
    CheckMenuItem(GetMenu(g_hWndMain), IDM_JAPANESE, MF_BYCOMMAND | (g_Japanese ? MF_CHECKED : MF_UNCHECKED));
    RedrawMenuBar();
}

void ApplyLanguage()
{
    // The answer label is the first control with its id, before the answer field.
    for (const TextsById& control : PANEL_TEXTS) SetTextIfChanged(PanelControl(control.id), Pick(control.texts));
    for (int row = 0; row < ROW_COUNT; ++row) {
        SetTextIfChanged(CalcButton(row), Pick(CALC_TEXT));
        UpdateModeLabel(ModeToggle(row));
    }
    HMENU menu = GetMenu(g_hWndMain);
    for (UINT position = 0; position < 2; ++position) SetMenuText(menu, position, TRUE, Pick(MENU_TITLES[position]));
    for (const TextsById& item : MENU_ITEMS) SetMenuText(menu, item.id, FALSE, Pick(item.texts));
    RedrawMenuBar();
    ApplyAccessibleNames();
}

void ToggleMenuCheck(int itemId, bool& flag)
{
    HMENU menu = GetMenu(g_hWndMain);
    const bool checked = !(GetMenuState(menu, itemId, MF_BYCOMMAND) & MF_CHECKED);
    CheckMenuItem(menu, itemId, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    flag = checked;
}

void ApplyAlwaysOnTop()
{
    const bool onTop = Button_GetCheck(PanelControl(IDC_ON_TOP)) == BST_CHECKED;
    SetWindowPos(g_hWndMain, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
