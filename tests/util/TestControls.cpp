#include "tests/util/TestControls.h"

#include <gtest/gtest.h>

#include <vector>

TestControl::TestControl(ControlKind kind) : m_Kind(kind)
{
    const bool list = kind == ControlKind::List;
    m_hParent = CreateWindowExW(0, L"STATIC", L"test", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                nullptr, nullptr);
    if (!m_hParent) {
        ADD_FAILURE() << "no window: under Wine, start an X display (Xvfb) and set DISPLAY";
        return;
    }
    const DWORD style = list ? WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT : CBS_DROPDOWN | WS_VSCROLL | WS_HSCROLL;
    m_hControl = CreateWindowExW(0, list ? L"LISTBOX" : L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 200,
                                 120, m_hParent, nullptr, nullptr, nullptr);
    m_hFont = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
    SendMessageW(m_hControl, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
}

TestControl::~TestControl()
{
    if (m_hParent) DestroyWindow(m_hParent);
    if (m_hFont) DeleteObject(m_hFont);
}

int TestControl::ExpectedExtent(const std::wstring& line) const
{
    const HDC hdc = GetDC(m_hControl);
    const HGDIOBJ previous = SelectObject(hdc, m_hFont);
    SIZE size{};
    GetTextExtentPoint32W(hdc, line.c_str(), static_cast<int>(line.size()), &size);
    SelectObject(hdc, previous);
    ReleaseDC(m_hControl, hdc);
    return size.cx + 6;
}

std::wstring TestControl::Item(int index) const
{
    const bool list = m_Kind == ControlKind::List;
    const LRESULT len = SendMessageW(m_hControl, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, index, 0);
    if (len < 0) return L"<no item>";
    std::vector<wchar_t> text(static_cast<size_t>(len) + 1, 0);
    SendMessageW(m_hControl, list ? LB_GETTEXT : CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}
