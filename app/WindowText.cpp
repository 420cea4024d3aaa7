#include "app/WindowText.h"

namespace {

constexpr int SHORT_TEXT = 64;  // longer than any caption

}  // namespace

void SetTextIfChanged(HWND window, const wchar_t* text)
{
    wchar_t current[SHORT_TEXT];
    const int length = GetWindowTextW(window, current, SHORT_TEXT);
    if (length < SHORT_TEXT - 1 && lstrcmpW(current, text) == 0) return;
    SetWindowTextW(window, text);
}

std::wstring WholeText(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}
