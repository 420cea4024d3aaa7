// Dynamic annotation (IAccPropServices::SetHwndPropStr) rather than labels
// hidden in the Z-order: it names the Calc buttons and mode toggles too,
// whose names would otherwise be their captions, and it adds no windows.
#include "app/AccessibleNames.h"

#include <windows.h>
#include <initguid.h>
#include <oleacc.h>

#include "app/AccessibleNameTable.h"
#include "app/AppGlobals.h"

namespace {

IAccPropServices* g_pAccProps = nullptr;  // created by the first ApplyAccessibleNames
bool g_ComStarted = false;                // CoInitializeEx succeeded and needs its CoUninitialize
bool g_Unavailable = false;               // no annotation service: names are not tried again

constexpr size_t NAME_CAPACITY = 64;  // longer than any name of the table

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
    g_pAccProps->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, name);
}

// Every window of the main window whose id has a name gets it; a combo box
// gives it to its edit field too, which is what has the focus.
BOOL CALLBACK NameControl(HWND control, LPARAM)
{
    wchar_t name[NAME_CAPACITY];
    if (!AccessibleNameOf(GetDlgCtrlID(control), g_Japanese, name, NAME_CAPACITY)) return TRUE;
    Name(control, name);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(control, &info) && info.hwndItem) Name(info.hwndItem, name);
    return TRUE;
}

}  // namespace

void ApplyAccessibleNames()
{
    if (g_hWndMain && StartService()) EnumChildWindows(g_hWndMain, NameControl, 0);
}

void ReleaseAccessibleNames()
{
    if (g_pAccProps) g_pAccProps->Release();
    g_pAccProps = nullptr;
    if (g_ComStarted) CoUninitialize();
    g_ComStarted = false;
}
