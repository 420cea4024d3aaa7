#include "app/Language.h"

#include <windows.h>
#include <windowsx.h>

#include "app/AccessibleNames.h"
#include "app/AppGlobals.h"
#include "app/Controls.h"
#include "app/InterfaceTexts.h"
#include "app/ModeCaption.h"
#include "app/ResourceIds.h"
#include "app/WindowText.h"

namespace {

struct TextOfId {
    int id;  // of a control or a menu item
    TextId text;
};

// The answer label is the first control with its id, before the answer field.
constexpr TextOfId PANEL_TEXTS[] = {
    {IDC_ANSWER, TextId::ANSWER_LABEL},
    {IDC_COPY, TextId::COPY_BUTTON},
    {IDC_ON_TOP, TextId::ON_TOP_BUTTON},
    {IDC_FORMULAS_CAPTION, TextId::FORMULAS_CAPTION},
};

constexpr TextId MENU_TITLES[] = {TextId::FILE_MENU, TextId::HELP_MENU};

// In the order they are set.
constexpr TextOfId MENU_ITEMS[] = {
    {IDM_CLEAR_LOG, TextId::CLEAR_LOG}, {IDM_STORE_LOG, TextId::STORE_LOG}, {IDM_JAPANESE, TextId::JAPANESE},
    {IDM_EXIT, TextId::EXIT},           {IDM_EXPLAIN, TextId::EXPLAIN},     {IDM_ABOUT, TextId::ABOUT},
};

constexpr int MENU_TEXT_CAPACITY = 64;  // longer than any menu text

const wchar_t* Text(TextId id)
{
    return InterfaceText(id, g_Japanese);
}

// A hidden window (at start-up) gets its menu bar drawn when it is shown;
// redrawn before, it would be laid out twice.
void RedrawMenuBar()
{
    if (IsWindowVisible(g_hWndMain)) DrawMenuBar(g_hWndMain);
}

// Replaces only the text of a menu item (its id, state and submenu stay),
// unless it reads so already.
void SetMenuText(HMENU menu, UINT item, BOOL byPosition, const wchar_t* text)
{
    wchar_t current[MENU_TEXT_CAPACITY] = L"";
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = current;
    info.cch = MENU_TEXT_CAPACITY - 1;
    if (GetMenuItemInfoW(menu, item, byPosition, &info) && lstrcmpW(current, text) == 0) return;
    info.dwTypeData = const_cast<wchar_t*>(text);
    SetMenuItemInfoW(menu, item, byPosition, &info);
}

}  // namespace

void PrepareMenu()
{
    CheckMenuItem(GetMenu(g_hWndMain), IDM_JAPANESE, MF_BYCOMMAND | (g_Japanese ? MF_CHECKED : MF_UNCHECKED));
    RedrawMenuBar();
}

void ApplyLanguage()
{
    for (const TextOfId& control : PANEL_TEXTS) SetTextIfChanged(ControlById(control.id), Text(control.text));
    for (int row = 0; row < ROW_COUNT; ++row) {
        SetTextIfChanged(CalcButton(row), Text(TextId::CALC_BUTTON));
        UpdateModeLabel(ModeToggle(row));
    }
    HMENU menu = GetMenu(g_hWndMain);
    for (UINT position = 0; position < 2; ++position) SetMenuText(menu, position, TRUE, Text(MENU_TITLES[position]));
    for (const TextOfId& item : MENU_ITEMS) SetMenuText(menu, item.id, FALSE, Text(item.text));
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
