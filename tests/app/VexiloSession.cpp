#include "tests/app/VexiloSession.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

constexpr DWORD START_TIMEOUT_MS = 20000;

std::wstring DriverFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD len = GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A cut path may come back without its terminator.
    const std::wstring folder(path, len < MAX_PATH ? len : 0);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::wstring MakeTempFolder()
{
    wchar_t base[MAX_PATH] = L"";
    const DWORD len = GetTempPathW(MAX_PATH, base);
    if (len == 0 || len >= MAX_PATH) base[0] = 0;  // then beside the current folder
    static int counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::wstring folder = std::wstring(base) + L"vexilo-test-" + std::to_wstring(GetCurrentProcessId()) + L"-"
                              + std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++counter);
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
    }
    return std::wstring(base) + L"vexilo-test-unavailable";  // the copy then fails and Start says so
}

void DeleteFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) DeleteFolder(path);
            else DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND exclude;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t className[64];
    if (pid != search->processId || hwnd == search->exclude || !IsWindowVisible(hwnd)) return TRUE;
    if (!GetClassNameW(hwnd, className, 64) || lstrcmpW(className, search->className) != 0) return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindTopLevel(DWORD processId, const wchar_t* className, HWND exclude = nullptr)
{
    WindowSearch search = {processId, className, exclude, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A message box has a static text with id 0xFFFF and no edit control.
bool IsMessageBox(HWND dialog)
{
    return GetDlgItem(dialog, 0xFFFF) != nullptr && FindWindowExW(dialog, nullptr, L"Edit", nullptr) == nullptr;
}

}  // namespace

std::wstring MessageBoxText(HWND box)
{
    return VexiloSession::Text(GetDlgItem(box, 0xFFFF));
}

VexiloSession::VexiloSession() : m_Folder(MakeTempFolder())
{
    const std::wstring source = DriverFolder() + L"\\vexilo.exe";
    CopyFileW(source.c_str(), (m_Folder + L"\\vexilo.exe").c_str(), FALSE);
}

VexiloSession::~VexiloSession()
{
    if (Running() && !Close()) TerminateProcess(m_Process.hProcess, 1);
    ReleaseProcess();
    DeleteFolder(m_Folder);
}

void VexiloSession::ReleaseProcess()
{
    if (m_Process.hProcess) {
        WaitForSingleObject(m_Process.hProcess, 5000);
        CloseHandle(m_Process.hProcess);
        CloseHandle(m_Process.hThread);
    }
    m_Process = {};
    m_Main = nullptr;
    m_Panel = m_Rows = nullptr;
    for (auto& controls : m_RowControls) {
        for (HWND& control : controls) control = nullptr;
    }
}

HWND VexiloSession::CachedChild(HWND& cache, HWND parent, int id) const
{
    if (!cache || !IsWindow(cache)) cache = GetDlgItem(parent, id);
    return cache;
}

void VexiloSession::WriteSettings(const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(SettingsPath()), std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void VexiloSession::WriteSettingsText(const std::vector<std::wstring>& lines)
{
    std::string bytes = "\xFF\xFE";
    for (const std::wstring& line : lines) {
        for (wchar_t unit : line + L"\r\n") {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>((unit >> 8) & 0xFF);
        }
    }
    WriteSettings(bytes);
}

bool VexiloSession::Start()
{
    if (Running()) return false;
    ReleaseProcess();
    std::wstring commandLine = L"\"" + m_Folder + L"\\vexilo.exe\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, m_Folder.c_str(), &startup,
                        &m_Process)) {
        return false;
    }
    WaitForInputIdle(m_Process.hProcess, START_TIMEOUT_MS);
    const DWORD deadline = GetTickCount() + START_TIMEOUT_MS;
    while (!(m_Main = FindTopLevel(m_Process.dwProcessId, L"VEXILO"))) {
        if (GetTickCount() > deadline || WaitForSingleObject(m_Process.hProcess, 0) == WAIT_OBJECT_0) return false;
        Sleep(10);
    }
    // Let the queued start-up messages run.
    DWORD_PTR result;
    SendMessageTimeoutW(m_Main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    return true;
}

bool VexiloSession::Close()
{
    if (!Running()) return true;
    PostMessageW(m_Main, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(m_Process.hProcess, 10000) == WAIT_OBJECT_0;
    if (ended) m_Main = nullptr;
    return ended;
}

bool VexiloSession::Restart()
{
    return Close() && Start();
}

bool VexiloSession::Running() const
{
    return m_Process.hProcess && WaitForSingleObject(m_Process.hProcess, 0) == WAIT_TIMEOUT;
}

std::wstring VexiloSession::SettingsPath() const
{
    return m_Folder + L"\\vexilo.ini";
}

bool VexiloSession::SettingsExist() const
{
    return GetFileAttributesW(SettingsPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string VexiloSession::SettingsBytes() const
{
    std::ifstream file(std::filesystem::path(SettingsPath()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::wstring VexiloSession::SettingsValue(const wchar_t* section, const wchar_t* key) const
{
    wchar_t value[2048];
    GetPrivateProfileStringW(section, key, L"<missing>", value, 2048, SettingsPath().c_str());
    return value;
}

bool VexiloSession::SetSettingsReadOnly(bool readOnly) const
{
    return SetFileAttributesW(SettingsPath().c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != 0;
}

HWND VexiloSession::Panel() const { return CachedChild(m_Panel, m_Main, VexiloId::PANEL); }
HWND VexiloSession::Rows() const { return CachedChild(m_Rows, Panel(), VexiloId::ROWS); }
HWND VexiloSession::Log() const { return GetDlgItem(m_Main, VexiloId::LOG); }
// The label comes first among the panel's children with the shared id.
HWND VexiloSession::AnswerLabel() const { return GetDlgItem(Panel(), VexiloId::ANSWER); }
HWND VexiloSession::AnswerField() const { return FindWindowExW(Panel(), nullptr, L"Edit", nullptr); }
HWND VexiloSession::VariableBox(int var) const { return GetDlgItem(Panel(), VexiloId::X + 2 * var); }
HWND VexiloSession::FormulaBox(int row) const
{
    if (row < 0 || row >= VexiloId::ROW_COUNT) return nullptr;
    return CachedChild(m_RowControls[0][row], Rows(), VexiloId::FORMULA_FIRST + row);
}

HWND VexiloSession::ModeToggle(int row) const
{
    if (row < 0 || row >= VexiloId::ROW_COUNT) return nullptr;
    return CachedChild(m_RowControls[1][row], Rows(), VexiloId::MODE_FIRST + row);
}

HWND VexiloSession::CalcButton(int row) const
{
    if (row < 0 || row >= VexiloId::ROW_COUNT) return nullptr;
    return CachedChild(m_RowControls[2][row], Rows(), VexiloId::CALC_FIRST + row);
}
HWND VexiloSession::PanelControl(int id) const { return GetDlgItem(Panel(), id); }

std::wstring VexiloSession::Text(HWND window)
{
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

void VexiloSession::SetText(HWND window, const std::wstring& text)
{
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<std::wstring> VexiloSession::ComboItems(HWND combo)
{
    std::vector<std::wstring> items;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        if (length < 0) {
            items.emplace_back();
            continue;
        }
        std::wstring item(static_cast<size_t>(length) + 1, L'\0');
        const auto copied = SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        item.resize(copied >= 0 && copied <= length ? static_cast<size_t>(copied) : 0);
        items.push_back(item);
    }
    return items;
}

std::vector<std::wstring> VexiloSession::LogLines() const
{
    std::vector<std::wstring> lines;
    HWND log = Log();
    const auto count = SendMessageW(log, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(log, LB_GETTEXTLEN, i, 0);
        if (length < 0) {
            lines.emplace_back();
            continue;
        }
        std::wstring line(static_cast<size_t>(length) + 1, L'\0');
        const auto copied = SendMessageW(log, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
        line.resize(copied >= 0 && copied <= length ? static_cast<size_t>(copied) : 0);
        lines.push_back(line);
    }
    return lines;
}

RECT VexiloSession::RectIn(HWND window, HWND parent)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT VexiloSession::ScreenRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

SIZE VexiloSession::ClientSize(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

std::vector<std::wstring> VexiloSession::LogLinesAfter(size_t count) const
{
    std::vector<std::wstring> lines = LogLines();
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(std::min(count, lines.size())));
    return lines;
}

void VexiloSession::SetVariables(const std::wstring& x, const std::wstring& y, const std::wstring& z)
{
    SetText(VariableBox(0), x);
    SetText(VariableBox(1), y);
    SetText(VariableBox(2), z);
}

bool VexiloSession::Checked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND VexiloSession::FindDialog() const
{
    return FindTopLevel(m_Process.dwProcessId, L"#32770");
}

std::vector<std::wstring> VexiloSession::SendAndCollect(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::vector<std::wstring> messages;
    std::atomic<bool> done = false;
    std::thread sender([&] {
        DWORD_PTR result;
        SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_NORMAL, 30000, &result);
        done = true;
    });
    while (!done) {
        HWND box = FindDialog();
        if (box && IsMessageBox(box)) {
            messages.push_back(MessageBoxText(box));
            SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
            // Wait for it to go before looking for the next one.
            for (int i = 0; i < 500 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(2);
        }
        Sleep(2);
    }
    sender.join();
    return messages;
}

std::vector<std::wstring> VexiloSession::Click(HWND button)
{
    return SendAndCollect(button, BM_CLICK, 0, 0);
}

std::vector<std::wstring> VexiloSession::Calculate(int row, const std::wstring& formula)
{
    SetText(FormulaBox(row), formula);
    return Click(CalcButton(row));
}

std::vector<std::wstring> VexiloSession::Command(int id)
{
    return SendAndCollect(m_Main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void VexiloSession::MoveMainWindow(int left, int top, int width, int height)
{
    SetWindowPos(m_Main, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void VexiloSession::SetClientWidth(int width)
{
    const RECT outer = ScreenRect(m_Main);
    const SIZE client = ClientSize(m_Main);
    const int frame = (outer.right - outer.left) - client.cx;
    SetWindowPos(m_Main, nullptr, 0, 0, width + frame, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Wine carries the RECT of WM_SIZING across processes and back.
RECT VexiloSession::Sizing(int edge, const RECT& dragged, LRESULT* result)
{
    RECT rect = dragged;
    const LRESULT answer = SendMessageW(m_Main, WM_SIZING, static_cast<WPARAM>(edge), reinterpret_cast<LPARAM>(&rect));
    if (result) *result = answer;
    return rect;
}

void VexiloSession::Scroll(WORD request, WORD thumb)
{
    SendMessageW(Rows(), WM_VSCROLL, MAKEWPARAM(request, thumb), 0);
}

void VexiloSession::Wheel(short distance)
{
    SendMessageW(Rows(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(distance)), 0);
}

int VexiloSession::FirstRowInView() const
{
    constexpr int ROW_PITCH = 30;
    const LONG top = RectIn(FormulaBox(0), Rows()).top;
    if (top > 0 || top % ROW_PITCH != 0) return 0;
    return 1 - top / ROW_PITCH;
}

std::wstring SystemErrorText(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD len = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
                                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result = len > 0 && text ? std::wstring(text, len) : std::wstring();
    if (text) LocalFree(text);
    while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' ')) result.pop_back();
    return result;
}
