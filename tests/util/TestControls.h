#pragma once
#include <windows.h>

#include <string>

enum class ControlKind { List, Combo };

// A real list box or combo box with a known font, in a hidden top-level
// window. Under Wine this needs an X display.
class TestControl {
public:
    explicit TestControl(ControlKind kind);
    ~TestControl();
    TestControl(const TestControl&) = delete;
    TestControl& operator=(const TestControl&) = delete;

    HWND Handle() const { return m_hControl; }
    // What the extent rule must set for a line: its width in the control's
    // font, measured here on the control's context, plus 6.
    int ExpectedExtent(const std::wstring& line) const;
    std::wstring Item(int index) const;

private:
    ControlKind m_Kind;
    HWND m_hParent = nullptr;
    HWND m_hControl = nullptr;
    HFONT m_hFont = nullptr;
};
