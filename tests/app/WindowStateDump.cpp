#include "tests/app/WindowStateDump.h"

#include "tests/app/driver/VexiloSession.h"
#include "util/Utf8.h"

namespace {

std::wstring Hex(LONG_PTR value)
{
    wchar_t text[24];
    wsprintfW(text, L"%08lX", static_cast<unsigned long>(value));
    return text;
}

std::wstring Number(LRESULT value)
{
    return std::to_wstring(static_cast<long long>(value));
}

std::wstring Quoted(const std::wstring& text)
{
    std::wstring quoted = L"\"";
    for (wchar_t c : text) {
        if (c == L'\t') quoted += L"\\t";
        else if (c == L'\\' || c == L'"') quoted += std::wstring(L"\\") + c;
        else quoted += c;
    }
    return quoted + L"\"";
}

std::wstring RectText(const RECT& rect)
{
    return Number(rect.left) + L"," + Number(rect.top) + L" " + Number(rect.right - rect.left) + L"x" +
           Number(rect.bottom - rect.top);
}

std::wstring Entries(HWND list, UINT getCount, UINT getLength, UINT getText)
{
    std::wstring text = L" entries:";
    for (const std::wstring& item : VexiloSession::Items(list, getCount, getLength, getText)) text += L" " + Quoted(item);
    return text;
}

// The class-specific part of a window's line.
std::wstring ClassDetails(HWND window, const std::wstring& className)
{
    if (lstrcmpiW(className.c_str(), L"ComboBox") == 0) {
        RECT dropped = {};
        SendMessageW(window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        DWORD start = 0, end = 0;
        SendMessageW(window, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return L" sel=" + Number(SendMessageW(window, CB_GETCURSEL, 0, 0)) +
               L" editsel=" + Number(start) + L"-" + Number(end) +
               L" extent=" + Number(SendMessageW(window, CB_GETHORIZONTALEXTENT, 0, 0)) +
               L" itemheight=" + Number(SendMessageW(window, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)) + L"/" +
               Number(SendMessageW(window, CB_GETITEMHEIGHT, 0, 0)) + L" dropped=" + RectText(dropped) +
               Entries(window, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    }
    if (lstrcmpiW(className.c_str(), L"ListBox") == 0) {
        return L" top=" + Number(SendMessageW(window, LB_GETTOPINDEX, 0, 0)) +
               L" extent=" + Number(SendMessageW(window, LB_GETHORIZONTALEXTENT, 0, 0)) +
               L" itemheight=" + Number(SendMessageW(window, LB_GETITEMHEIGHT, 0, 0)) +
               Entries(window, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
    }
    if (lstrcmpiW(className.c_str(), L"Button") == 0) {
        return L" check=" + Number(SendMessageW(window, BM_GETCHECK, 0, 0));
    }
    if (lstrcmpiW(className.c_str(), L"Edit") == 0) {
        const std::pair<DWORD, DWORD> selection = EditSelection(window);
        const auto place = static_cast<DWORD>(SendMessageW(window, EM_POSFROMCHAR, 0, 0));
        return L" editsel=" + Number(selection.first) + L"-" + Number(selection.second) +
               L" char0=" + Number(static_cast<short>(LOWORD(place))) + L"," + Number(static_cast<short>(HIWORD(place)));
    }
    return L"";
}

std::wstring Describe(HWND window, HWND parent, int depth)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    const std::wstring className = name;
    const RECT rect = parent ? VexiloSession::RectIn(window, parent) : VexiloSession::ScreenRect(window);
    // A top-level window's id is its menu handle, different at each run.
    const std::wstring id = parent ? L" id=" + Number(GetWindowLongPtrW(window, GWLP_ID)) : L"";
    return std::wstring(static_cast<size_t>(2 * depth), L' ') + className + id + L" style=" + Hex(GetWindowLongPtrW(window, GWL_STYLE)) +
           L" ex=" + Hex(GetWindowLongPtrW(window, GWL_EXSTYLE)) + L" rect=" + RectText(rect) +
           L" text=" + Quoted(VexiloSession::Text(window)) + ClassDetails(window, className);
}

void DescribeChildren(HWND parent, int depth, std::vector<std::wstring>& lines)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        lines.push_back(Describe(child, parent, depth));
        DescribeChildren(child, depth + 1, lines);
    }
}

}  // namespace

std::vector<std::wstring> DescribeWindowTree(HWND top)
{
    std::vector<std::wstring> lines = {Describe(top, nullptr, 0)};
    DescribeChildren(top, 1, lines);
    return lines;
}

std::string JoinUtf8(const std::vector<std::wstring>& lines)
{
    std::string bytes;
    for (const std::wstring& line : lines) bytes += WideToUtf8(line) + "\n";
    return bytes;
}
