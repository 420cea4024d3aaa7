#include "tests/app/driver/VexiloSession.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstddef>
#include <cwchar>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr DWORD START_TIMEOUT_MS = 20000;

// VEXILO_TIMEOUT_SCALE (a whole number, 1 unless set) stretches every time
// limit: under emulation each step of the program takes many times longer.
DWORD Scaled(DWORD ms)
{
    static const DWORD scale = [] {
        wchar_t text[16] = L"";
        const DWORD length = GetEnvironmentVariableW(L"VEXILO_TIMEOUT_SCALE", text, 16);
        const long value = length > 0 && length < 16 ? wcstol(text, nullptr, 10) : 1;
        return static_cast<DWORD>(std::clamp(value, 1L, 100L));
    }();
    return ms * scale;
}

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    bool (*accept)(HWND);
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[64];
    if (processId != search->processId || !IsWindowVisible(window)) return TRUE;
    if (!GetClassNameW(window, className, 64) || lstrcmpW(className, search->className) != 0) return TRUE;
    if (search->accept && !search->accept(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// A message box has a static text with id 0xFFFF and no edit control.
bool IsMessageBox(HWND dialog)
{
    return GetDlgItem(dialog, 0xFFFF) && !FindWindowExW(dialog, nullptr, L"Edit", nullptr);
}

}  // namespace

VexiloSession::VexiloSession()
{
    const std::wstring program = BesideThisProgram(L"vexilo.exe");
    // A unique name, first taken by an empty file. Without a folder Start fails.
    wchar_t temp[MAX_PATH], path[MAX_PATH];
    if (GetTempPathW(MAX_PATH, temp) && GetTempFileNameW(temp, L"vex", 0, path) && DeleteFileW(path)
        && CreateDirectoryW(path, nullptr)) {
        m_Folder = path;
        CopyFileW(program.c_str(), (m_Folder + L"\\vexilo.exe").c_str(), FALSE);
    }
}

VexiloSession::~VexiloSession()
{
    if (!Close()) TerminateProcess(m_Process.hProcess, 1);
    if (m_Process.hProcess) {
        WaitForSingleObject(m_Process.hProcess, Scaled(5000));
        CloseHandle(m_Process.hProcess);
        CloseHandle(m_Process.hThread);
    }
    if (!m_OwnsFolder) return;
    SetFileAttributesW(SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::error_code ignored;
    if (!m_Folder.empty()) fs::remove_all(m_Folder, ignored);
}

void VexiloSession::WriteSettingsText(const std::vector<std::wstring>& lines)
{
    std::string bytes = "\xFF\xFE";
    for (const std::wstring& line : lines) bytes += Utf16Bytes(line + L"\r\n");
    WriteFileBytes(SettingsPath(), bytes);
}

bool VexiloSession::Start()
{
    if (m_Process.hProcess) {
        if (WaitForSingleObject(m_Process.hProcess, 0) != WAIT_OBJECT_0) return false;  // still running
        CloseHandle(m_Process.hProcess);
        CloseHandle(m_Process.hThread);
    }
    m_Process = {};
    m_Main = nullptr;
    std::wstring commandLine = L"\"" + m_Folder + L"\\" + m_Program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (m_Folder.empty() || !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                            m_Folder.c_str(), &startup, &m_Process)) {
        std::fprintf(stderr, "vexilo.exe could not be started: error %lu\n", GetLastError());
        return false;
    }
    const ULONGLONG started = GetTickCount64();
    WaitForInputIdle(m_Process.hProcess, Scaled(START_TIMEOUT_MS));
    const bool found = WaitUntil([this] {
        m_Main = FindTopLevel(m_Process.dwProcessId, L"VEXILO");
        return m_Main || WaitForSingleObject(m_Process.hProcess, 0) == WAIT_OBJECT_0;
    }, START_TIMEOUT_MS);  // scaled by WaitUntil
    if (!found || !m_Main) {
        // Why the start failed: a program that ended is a fault of the
        // program, a window that never came in time may be the machine's load.
        const auto waited = static_cast<unsigned long long>(GetTickCount64() - started);
        DWORD exitCode = STILL_ACTIVE;
        GetExitCodeProcess(m_Process.hProcess, &exitCode);
        if (exitCode == STILL_ACTIVE) {
            std::fprintf(stderr, "vexilo.exe is running but showed no VEXILO window within %llu ms\n", waited);
        } else {
            std::fprintf(stderr, "vexilo.exe ended with exit code 0x%lX after %llu ms, before a VEXILO window showed\n",
                         exitCode, waited);
        }
        return false;
    }
    Settle();  // the queued start-up messages
    return true;
}

bool VexiloSession::Close()
{
    if (!m_Process.hProcess || WaitForSingleObject(m_Process.hProcess, 0) == WAIT_OBJECT_0) return true;
    PostMessageW(m_Main, WM_CLOSE, 0, 0);
    return WaitForSingleObject(m_Process.hProcess, Scaled(10000)) == WAIT_OBJECT_0;
}

HWND VexiloSession::FindTopLevel(DWORD processId, const wchar_t* className, bool (*accept)(HWND))
{
    WindowSearch search = {processId, className, accept, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void VexiloSession::Settle() const
{
    DWORD_PTR result;
    SendMessageTimeoutW(m_Main, WM_NULL, 0, 0, SMTO_NORMAL, Scaled(10000), &result);
}

std::wstring VexiloSession::ProfileValue(const std::wstring& path, const wchar_t* section, const wchar_t* key)
{
    wchar_t value[2048];
    GetPrivateProfileStringW(section, key, L"<missing>", value, 2048, path.c_str());
    return value;
}

std::vector<std::wstring> VexiloSession::Items(HWND list, UINT getCount, UINT getLength, UINT getText)
{
    std::vector<std::wstring> items;
    const auto count = SendMessageW(list, getCount, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(list, getLength, i, 0);
        std::wstring item(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        const auto copied = length < 0 ? 0 : SendMessageW(list, getText, i, reinterpret_cast<LPARAM>(item.data()));
        item.resize(copied >= 0 && copied <= length ? static_cast<size_t>(copied) : 0);
        items.push_back(item);
    }
    return items;
}

std::wstring VexiloSession::Text(HWND window)
{
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::vector<std::wstring> VexiloSession::LogLinesAfter(size_t count) const
{
    std::vector<std::wstring> lines = LogLines();
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(std::min(count, lines.size())));
    return lines;
}

RECT VexiloSession::RectIn(HWND window, HWND parent)
{
    RECT rect = ScreenRect(window);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<std::wstring> VexiloSession::SendAndCollect(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::vector<std::wstring> messages;
    std::atomic<bool> done = false;
    std::thread sender([&] {
        DWORD_PTR result;
        SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_NORMAL, Scaled(30000), &result);
        done = true;
    });
    while (!done) {
        if (HWND box = FindTopLevel(m_Process.dwProcessId, L"#32770", IsMessageBox)) {
            messages.push_back(Text(GetDlgItem(box, 0xFFFF)));
            SendMessageW(box, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
            WaitGone(box);  // before looking for the next one
        }
        Sleep(2);
    }
    sender.join();
    return messages;
}

void VexiloSession::SetClientWidth(int width)
{
    const RECT outer = ScreenRect(m_Main);
    const int frame = (outer.right - outer.left) - ClientSize(m_Main).cx;
    SetWindowPos(m_Main, nullptr, 0, 0, width + frame, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND VexiloSession::WaitForWindowOfClass(const wchar_t* className, bool (*accept)(HWND)) const
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevel(m_Process.dwProcessId, className, accept)) != nullptr; });
    return found;
}

bool VexiloSession::AnswerMessageBox(int button, std::wstring& text) const
{
    HWND box = WaitForWindowOfClass(L"#32770", IsMessageBox);
    if (!box) return false;
    text = Text(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    return WaitGone(box);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + Scaled(timeoutMs);
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() > deadline) return false;
        Sleep(5);
    }
}

HWND FocusOf(HWND windowOfThread)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(windowOfThread, nullptr), &info) ? info.hwndFocus : nullptr;
}

std::wstring BesideThisProgram(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    const DWORD len = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring self(path, len < MAX_PATH ? len : 0);
    return self.substr(0, self.find_last_of(L"\\/") + 1) + name;
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
