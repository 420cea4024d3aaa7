#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Ids of the program's windows, controls and commands, as seen from outside.
namespace VexiloId {
constexpr int PANEL = 140;
constexpr int LOG = 141;
constexpr int ANSWER = 150;  // the answer label and the answer field share it
constexpr int COPY = 152;
constexpr int ON_TOP = 153;
constexpr int X_LABEL = 154;
constexpr int X = 155;
constexpr int Y_LABEL = 156;
constexpr int Y = 157;
constexpr int Z_LABEL = 158;
constexpr int Z = 159;
constexpr int HELP_BUTTON = 160;
constexpr int ROWS = 161;
constexpr int FORMULAS_CAPTION = 170;
constexpr int FORMULA_FIRST = 171;
constexpr int MODE_FIRST = 200;
constexpr int CALC_FIRST = 220;
constexpr int ROW_COUNT = 20;
constexpr int CMD_JAPANESE = 121;
}  // namespace VexiloId

// One run of vexilo.exe driven from outside, as a user would: a fresh folder
// with a copy of the program (and, if given, a settings file), the windows
// found by class and control id, text typed with WM_SETTEXT, buttons pressed
// with BM_CLICK, message boxes read and closed.
class VexiloSession {
public:
    VexiloSession();
    ~VexiloSession();
    VexiloSession(const VexiloSession&) = delete;
    VexiloSession& operator=(const VexiloSession&) = delete;

    // Writes the settings file before the start: raw bytes, any encoding.
    void WriteSettings(const std::string& bytes);
    // Writes the settings file as UTF-16LE with a byte-order mark, the way
    // the program writes it itself; lines end in CR LF.
    void WriteSettingsText(const std::vector<std::wstring>& lines);
    // Starts the program and waits until its main window is visible.
    bool Start();
    // Closes the main window with WM_CLOSE and waits for the process to end.
    bool Close();
    // Closes the program and starts it again in the same folder.
    bool Restart();
    bool Running() const;

    const std::wstring& Folder() const { return m_Folder; }
    std::wstring SettingsPath() const;
    bool SettingsExist() const;
    std::string SettingsBytes() const;
    // A value of the settings file, through the private-profile functions;
    // "<missing>" when the key is not there.
    std::wstring SettingsValue(const wchar_t* section, const wchar_t* key) const;
    // Sets or clears the read-only attribute of the settings file.
    bool SetSettingsReadOnly(bool readOnly) const;

    HWND Main() const { return m_Main; }
    HWND Panel() const;
    HWND Rows() const;
    HWND Log() const;
    HWND AnswerField() const;
    HWND AnswerLabel() const;
    HWND VariableBox(int var) const;  // 0 x, 1 y, 2 z
    HWND FormulaBox(int row) const;
    HWND ModeToggle(int row) const;
    HWND CalcButton(int row) const;
    HWND PanelControl(int id) const;

    static std::wstring Text(HWND window);
    static void SetText(HWND window, const std::wstring& text);
    static std::vector<std::wstring> ComboItems(HWND combo);
    static RECT RectIn(HWND window, HWND parent);  // the window's rectangle in parent's client coordinates
    static RECT ScreenRect(HWND window);
    static SIZE ClientSize(HWND window);
    static bool Checked(HWND button);
    std::vector<std::wstring> LogLines() const;
    // The log lines added since the log held count lines.
    std::vector<std::wstring> LogLinesAfter(size_t count) const;

    // Sets x, y and z as a user types them into the three boxes.
    void SetVariables(const std::wstring& x, const std::wstring& y, const std::wstring& z);

    // Presses a button and returns the texts of the message boxes that came
    // up meanwhile, each closed with OK.
    std::vector<std::wstring> Click(HWND button);
    // Types the formula into row and presses its Calc button.
    std::vector<std::wstring> Calculate(int row, const std::wstring& formula);
    // Sends a message and closes message boxes that come up meanwhile.
    std::vector<std::wstring> SendAndCollect(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // A menu command of the main window, as the menu bar would send it.
    std::vector<std::wstring> Command(int id);

    // Moves and sizes the main window (outer rectangle, screen pixels).
    void MoveMainWindow(int left, int top, int width, int height);
    // Sizes the main window so that its client area, and with it the panel,
    // is width pixels wide; the height stays.
    void SetClientWidth(int width);
    // Sends WM_SIZING for a drag of the given edge (WMSZ_...) and returns the
    // rectangle as the program left it; result receives the message's result.
    RECT Sizing(int edge, const RECT& dragged, LRESULT* result);

    // A scroll request to the formula rows, as the scroll bar sends it.
    void Scroll(WORD request, WORD thumb = 0);
    // A wheel message to the formula rows; towards the user is negative.
    void Wheel(short distance);
    // The scroll position seen from the rows themselves: 1 while row 0
    // stands at the top of the rows window, n when row n-1 does. Zero when
    // the rows are not on the 30-pixel grid.
    int FirstRowInView() const;

    // A top-level dialog of the program (class #32770) other than a message
    // box the driver already handles, or null.
    HWND FindDialog() const;

private:
    void ReleaseProcess();

    // Asking another process for a child by id costs a round trip under
    // Wine; the handles stay the same for the whole run.
    HWND CachedChild(HWND& cache, HWND parent, int id) const;

    std::wstring m_Folder;
    PROCESS_INFORMATION m_Process = {};
    HWND m_Main = nullptr;
    mutable HWND m_Panel = nullptr;
    mutable HWND m_Rows = nullptr;
    mutable HWND m_RowControls[3][VexiloId::ROW_COUNT] = {};  // formula box, mode toggle, Calc button
};

// The text of a message box's message.
std::wstring MessageBoxText(HWND box);

// The system's text for an error code, without the line break at its end.
std::wstring SystemErrorText(DWORD code);
