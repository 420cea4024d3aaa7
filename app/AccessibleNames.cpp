// Dynamic annotation (IAccPropServices::SetHwndPropStr) rather than labels
// hidden in the Z-order: it names the Calc buttons and mode toggles too,
// whose names would otherwise be their captions, and it adds no windows.
#include "app/AccessibleNames.h"

#include <windows.h>
#include <initguid.h>
#include <oleacc.h>

#include "app/AppGlobals.h"
#include "app/FormulaRowsWindow.h"
#include "app/PanelWindow.h"
#include "app/ResourceIds.h"
#include "util/TextFormat.h"

namespace {

IAccPropServices* g_pAccProps = nullptr;  // created by the first ApplyAccessibleNames
bool g_ComStarted = false;                // CoInitializeEx succeeded and needs its CoUninitialize
bool g_Unavailable = false;               // no annotation service: names are not tried again

struct Names {
    const wchar_t* english;
    const wchar_t* japanese;
};

constexpr Names ANSWER = {L"Answer", L"答え"};
constexpr Names VARIABLES[] = {{L"Variable x", L"変数x"}, {L"Variable y", L"変数y"}, {L"Variable z", L"変数z"}};
constexpr Names HELP = {L"Explanation of the format", L"書式の説明"};
constexpr Names PANEL = {L"Answer and variables", L"答えと変数"};
constexpr Names ROWS = {L"Formulas", L"式"};
constexpr Names LOG = {L"Log", L"ログ"};
// Formats with the row's number, counted from 1.
constexpr Names FORMULA = {L"Formula %d", L"式%d"};
constexpr Names MODE = {L"Mode of formula %d", L"式%dのモード"};
constexpr Names CALC = {L"Calculate formula %d", L"式%dを計算"};

const wchar_t* Pick(const Names& names)
{
    return g_Japanese ? names.japanese : names.english;
}

bool StartService()
{
    if (g_pAccProps) return true;
    if (g_Unavailable) return false;
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    g_ComStarted = SUCCEEDED(init);
    void* service = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices, &service))) {
        g_Unavailable = true;
        return false;
    }
    g_pAccProps = static_cast<IAccPropServices*>(service);
    return true;
}

void Name(HWND control, const wchar_t* name)
{
    if (control) g_pAccProps->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, name);
}

// A combo box and its edit field, which is what has the focus.
void NameCombo(HWND combo, const wchar_t* name)
{
    Name(combo, name);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(combo, &info)) Name(info.hwndItem, name);
}

void NameRow(int row)
{
    wchar_t name[64];
    FormatText(name, 64, Pick(FORMULA), row + 1);
    NameCombo(FormulaBox(row), name);
    FormatText(name, 64, Pick(MODE), row + 1);
    Name(ModeToggle(row), name);
    FormatText(name, 64, Pick(CALC), row + 1);
    Name(CalcButton(row), name);
}

}  // namespace

void ApplyAccessibleNames()
{
    if (!StartService()) return;
    Name(AnswerField(), Pick(ANSWER));
    for (int var = 0; var < VARIABLE_COUNT; ++var) NameCombo(VariableBox(var), Pick(VARIABLES[var]));
    Name(PanelControl(IDC_HELP_BUTTON), Pick(HELP));
    Name(g_hWndPanel, Pick(PANEL));
    Name(g_hWndRows, Pick(ROWS));
    Name(g_hWndLog, Pick(LOG));
    for (int row = 0; row < ROW_COUNT; ++row) NameRow(row);
}

void ReleaseAccessibleNames()
{
    if (g_pAccProps) g_pAccProps->Release();
    g_pAccProps = nullptr;
    if (g_ComStarted) CoUninitialize();
    g_ComStarted = false;
}
