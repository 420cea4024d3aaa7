#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// The program's window, control and command ids, as seen from outside.
#include "app/ResourceIds.h"
#include "tests/support/FileBytes.h"

// A file in the folder of this program (the test program, not vexilo.exe).
std::wstring BesideThisProgram(const wchar_t* name);

// One run of vexilo.exe driven from outside, as a user would: a fresh folder
// with a copy of the program (and, if given, a settings file), the windows
// found by class and control id, text typed with WM_SETTEXT, buttons pressed
// with BM_CLICK, message boxes read and closed.
class VexiloSession {
public:
    VexiloSession();
    // The program where it already lies, in a folder the session leaves as it is.
    explicit VexiloSession(const std::wstring& folder, const std::wstring& program = L"vexilo.exe")
        : m_Folder(folder), m_Program(program), m_OwnsFolder(false) {}
    ~VexiloSession();
    VexiloSession(const VexiloSession&) = delete;
    VexiloSession& operator=(const VexiloSession&) = delete;

    // Writes the settings file before the start as UTF-16LE with a
    // byte-order mark, the way the program writes it itself.
    void WriteSettingsText(const std::vector<std::wstring>& lines);
    // Starts the program and waits until its main window is visible.
    bool Start();
    // Closes the main window with WM_CLOSE and waits for the process to end.
    bool Close();
    bool Restart() { return Close() && Start(); }
    // Lets the program finish what it is doing before the driver looks.
    void Settle() const;

    const std::wstring& Folder() const { return m_Folder; }
    std::wstring SettingsPath() const { return m_Folder + L"\\vexilo.ini"; }
    bool SettingsExist() const { return GetFileAttributesW(SettingsPath().c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::string SettingsBytes() const { return ReadFileBytes(SettingsPath()); }
    // A value of a settings file, through the private-profile functions;
    // "<missing>" when the key is not there.
    static std::wstring ProfileValue(const std::wstring& path, const wchar_t* section, const wchar_t* key);
    std::wstring SettingsValue(const wchar_t* section, const wchar_t* key) const { return ProfileValue(SettingsPath(), section, key); }

    HWND Main() const { return m_Main; }
    HWND Panel() const { return GetDlgItem(m_Main, IDC_PANEL); }
    HWND Rows() const { return GetDlgItem(Panel(), IDC_ROWS); }
    HWND Log() const { return GetDlgItem(m_Main, IDC_LOG); }
    // The label comes first among the panel's children with the shared id.
    HWND AnswerLabel() const { return GetDlgItem(Panel(), IDC_ANSWER); }
    HWND AnswerField() const { return FindWindowExW(Panel(), nullptr, L"Edit", nullptr); }
    HWND VariableBox(int var) const { return GetDlgItem(Panel(), IDC_X + 2 * var); }  // 0 x, 1 y, 2 z
    HWND FormulaBox(int row) const { return GetDlgItem(Rows(), IDC_FORMULA_FIRST + row); }
    HWND ModeToggle(int row) const { return GetDlgItem(Rows(), IDC_MODE_FIRST + row); }
    HWND CalcButton(int row) const { return GetDlgItem(Rows(), IDC_CALC_FIRST + row); }
    HWND PanelControl(int id) const { return GetDlgItem(Panel(), id); }

    static std::wstring Text(HWND window);
    static void SetText(HWND window, const std::wstring& text) { SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }
    static std::vector<std::wstring> ComboItems(HWND box) { return Items(box, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT); }
    static RECT RectIn(HWND window, HWND parent);  // the window's rectangle in parent's client coordinates
    static RECT ScreenRect(HWND window)
    {
        RECT rect = {};
        GetWindowRect(window, &rect);
        return rect;
    }
    static SIZE ClientSize(HWND window)
    {
        RECT rect = {};
        GetClientRect(window, &rect);
        return {rect.right, rect.bottom};
    }
    static bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::vector<std::wstring> LogLines() const { return Items(Log(), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }
    // The log lines added since the log held count lines.
    std::vector<std::wstring> LogLinesAfter(size_t count) const;

    // Sets the row's mode toggle to Integer mode or Decimal mode.
    void SetIntegerMode(int row, bool integerMode)
    {
        if (Checked(ModeToggle(row)) != integerMode) Click(ModeToggle(row));
    }

    // Presses a button and returns the texts of the message boxes that came
    // up meanwhile, each closed with OK.
    std::vector<std::wstring> Click(HWND button) { return SendAndCollect(button, BM_CLICK, 0, 0); }
    // Types the formula into row and presses its Calc button.
    std::vector<std::wstring> Calculate(int row, const std::wstring& formula)
    {
        SetText(FormulaBox(row), formula);
        return Click(CalcButton(row));
    }
    // A menu command of the main window, as the menu bar would send it.
    std::vector<std::wstring> Command(int id) { return SendAndCollect(m_Main, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // Sizes the main window so that its client area, and with it the panel,
    // is width pixels wide; the height stays.
    void SetClientWidth(int width);
    // A scroll request to the formula rows, as the scroll bar sends it.
    void Scroll(WORD request, WORD thumb = 0) { SendMessageW(Rows(), WM_VSCROLL, MAKEWPARAM(request, thumb), 0); }
    // A wheel message to the formula rows; towards the user is negative.
    void Wheel(short distance) { SendMessageW(Rows(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(distance)), 0); }

    // A visible top-level window of the program with this class, once it
    // came; null when none came in time.
    HWND WaitForWindowOfClass(const wchar_t* className, bool (*accept)(HWND) = nullptr) const;
    // Waits for a message box of the program, takes its text and closes it
    // with the button given (IDOK, IDYES, ...). False when none came.
    bool AnswerMessageBox(int button, std::wstring& text) const;

    // A visible top-level window of the process with this class, for which
    // accept (if given) holds, or null.
    static HWND FindTopLevel(DWORD processId, const wchar_t* className, bool (*accept)(HWND) = nullptr);
    // The list's items through its own messages (list box or combo box).
    static std::vector<std::wstring> Items(HWND list, UINT getCount, UINT getLength, UINT getText);

private:
    std::vector<std::wstring> SendAndCollect(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    std::wstring m_Folder;
    std::wstring m_Program = L"vexilo.exe";  // the program's file name in m_Folder
    bool m_OwnsFolder = true;
    PROCESS_INFORMATION m_Process = {};
    HWND m_Main = nullptr;
};

// Polls until the condition holds or the time is up; true when it held.
// Only for letting the other process catch up: no result depends on the time.
// Every time limit of the driver is stretched by VEXILO_TIMEOUT_SCALE.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// Waits until the window is destroyed or hidden; true when it is.
inline bool WaitGone(HWND window)
{
    return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); });
}
// The window that has the keyboard focus in the window's thread.
HWND FocusOf(HWND windowOfThread);
// The edit field of a combo box (for a ComboBoxEx, of its inner combo box).
inline HWND ComboEdit(HWND combo)
{
    if (HWND inner = FindWindowExW(combo, nullptr, L"ComboBox", nullptr)) combo = inner;
    return FindWindowExW(combo, nullptr, L"Edit", nullptr);
}
// The selection of an edit field: start and end.
inline std::pair<DWORD, DWORD> EditSelection(HWND edit)
{
    const auto packed = static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0));
    return {LOWORD(packed), HIWORD(packed)};
}
// The system's text for an error code, without the line break at its end.
std::wstring SystemErrorText(DWORD code);
