// Entry point: creates the settings and error-text objects, registers the
// three window classes, opens the main window where it was last closed and
// runs the message loop.
#include <windows.h>

#include "app/AccessibleNames.h"
#include "app/AppGlobals.h"
#include "app/FocusKeeper.h"
#include "app/KeyboardNavigation.h"
#include "app/Language.h"
#include "app/LogMenu.h"
#include "app/MainWindow.h"
#include "app/PanelWindow.h"
#include "app/FormulaRowsWindow.h"
#include "app/ResourceIds.h"
#include "app/WindowPlacement.h"
#include "app/WindowState.h"
#include "settings/IniFile.h"
#include "util/MessageReport.h"
#include "util/OsErrorText.h"
#include "util/SystemLibrary.h"

namespace {

constexpr int NAME_CAPACITY = 100;
wchar_t g_Title[NAME_CAPACITY];      // string resource IDS_TITLE
wchar_t g_MainClass[NAME_CAPACITY];  // string resource IDS_MAIN_CLASS

void RegisterWindowClass(const wchar_t* name, WNDPROC proc, int background, const wchar_t* menu)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = g_hInst;
    // One pair of icons for the three classes: each load costs server requests under Wine.
    static const auto largeIcon = static_cast<HICON>(LoadImageW(
        g_hInst, MAKEINTRESOURCEW(IDI_LARGE), IMAGE_ICON, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    static const auto smallIcon = static_cast<HICON>(LoadImageW(
        g_hInst, MAKEINTRESOURCEW(IDI_SMALL), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hIcon = largeIcon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
    wc.lpszMenuName = menu;
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

// Loads the settings, creates the main window at the saved rectangle and
// brings the saved state into its controls.
bool InitInstance(int showCmd)
{
    // Without a file the first-start rectangle is in 96-DPI pixels.
    const bool fromFile = GetFileAttributesW(g_pIniFile->GetIniPath()) != INVALID_FILE_ATTRIBUTES;
    g_pIniFile->Load();
    const RECT rect = PlaceOnScreen(*g_pIniFile, fromFile);
    HWND hwnd = CreateWindowExW(0, g_MainClass, g_Title, WS_OVERLAPPEDWINDOW, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, g_hInst, nullptr);
    if (!hwnd) return false;

    LoadWindowState();
    LogSettingsNotes();
    InstallLogListProc();
    PrepareKeyboardNavigation();
    PrepareMenu();
    ApplyLanguage();
    ShowWindow(hwnd, showCmd);
    UpdateWindow(hwnd);
    FocusFirstFormula();
    return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int showCmd)
{
    RestrictDllSearch();
    g_hInst = hInstance;
    SetMessageSink(ShowMainMessageBox);
    g_pIniFile = new IniFile;
    g_pOsErrorText = new OsErrorText;

    LoadStringW(hInstance, IDS_TITLE, g_Title, NAME_CAPACITY);
    LoadStringW(hInstance, IDS_MAIN_CLASS, g_MainClass, NAME_CAPACITY);
    RegisterWindowClass(g_MainClass, MainWindowProc, COLOR_WINDOW, MAKEINTRESOURCEW(IDR_MAINMENU));
    RegisterWindowClass(PANEL_CLASS, PanelWindowProc, COLOR_BTNFACE, nullptr);
    RegisterWindowClass(ROWS_CLASS, FormulaRowsWindowProc, COLOR_BTNFACE, nullptr);

    int exitCode = 0;
    if (InitInstance(showCmd)) {
        HACCEL accelerators = LoadAcceleratorsW(hInstance, MAKEINTRESOURCEW(IDR_MAINMENU));
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            // Translated for the main window, so that Alt+? works whichever control has the focus.
            if (!TranslateAcceleratorW(g_hWndMain ? g_hWndMain : msg.hwnd, accelerators, &msg)
                && !TranslateKeyboardInput(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        exitCode = static_cast<int>(msg.wParam);
    }
    ReleaseAccessibleNames();

    OsErrorText* osErrorText = g_pOsErrorText;
    IniFile* iniFile = g_pIniFile;
    g_pOsErrorText = nullptr;
    g_pIniFile = nullptr;
    delete osErrorText;
    delete iniFile;
    return exitCode;
}
