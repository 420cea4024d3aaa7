#include "tests/app/ProgramWindows.h"

#include "tests/app/RealInput.h"

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND exclude;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    wchar_t className[64];
    if (window == search->exclude || ProcessOf(window) != search->processId || !IsWindowVisible(window)) return TRUE;
    if (!GetClassNameW(window, className, 64) || lstrcmpW(className, search->className) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindMessageBox(DWORD processId)
{
    HWND dialog = nullptr;
    while ((dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr)) != nullptr) {
        if (ProcessOf(dialog) == processId && IsWindowVisible(dialog) && IsMessageBoxWindow(dialog)) return dialog;
    }
    return nullptr;
}

}  // namespace

DWORD ProcessOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

DWORD ThreadOf(HWND window)
{
    return GetWindowThreadProcessId(window, nullptr);
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className, HWND exclude)
{
    WindowSearch search = {processId, className, exclude, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForProcessWindow(DWORD processId, const wchar_t* className, HWND exclude)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindProcessWindow(processId, className, exclude)) != nullptr; });
    return found;
}

bool WaitGone(HWND window)
{
    return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); });
}

bool IsMessageBoxWindow(HWND dialog)
{
    return GetDlgItem(dialog, 0xFFFF) != nullptr && FindWindowExW(dialog, nullptr, L"Edit", nullptr) == nullptr;
}

bool AnswerMessageBox(DWORD processId, int button, std::wstring& text)
{
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindMessageBox(processId)) != nullptr; })) return false;
    wchar_t buffer[2048] = L"";
    GetWindowTextW(GetDlgItem(box, 0xFFFF), buffer, 2048);
    text = buffer;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    return WaitGone(box);
}

HWND FocusOf(HWND windowOfThread)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(ThreadOf(windowOfThread), &info) ? info.hwndFocus : nullptr;
}

HWND ComboEdit(HWND combo)
{
    if (HWND inner = FindWindowExW(combo, nullptr, L"ComboBox", nullptr)) combo = inner;
    return FindWindowExW(combo, nullptr, L"Edit", nullptr);
}

std::pair<DWORD, DWORD> EditSelection(HWND edit)
{
    const auto packed = static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0));
    return {LOWORD(packed), HIWORD(packed)};
}

POINT ClientOrigin(HWND window)
{
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

int ListCount(HWND list)
{
    return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    }
    return out;
}
