// "Ans to Clip" puts exactly the answer field's text on the clipboard, which
// the driver reads itself: Wine's clipboard is shared between its processes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/app/ProgramWindows.h"
#include "tests/app/RealInput.h"
#include "tests/app/VexiloSession.h"

namespace {

using App = VexiloSession;

// The program may hold the clipboard for a moment; opening is retried.
bool OpenClipboardSoon()
{
    return WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000);
}

bool PutOnClipboard(const std::wstring& text)
{
    if (!OpenClipboardSoon()) return false;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* memory = block ? GlobalLock(block) : nullptr;
    bool put = false;
    if (memory) {
        std::memcpy(memory, text.c_str(), bytes);
        GlobalUnlock(block);
        put = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    }
    if (!put && block) GlobalFree(block);
    CloseClipboard();
    return put;
}

// The clipboard's Unicode text, up to its terminator; false when there is none.
bool ClipboardText(std::wstring& text)
{
    if (!OpenClipboardSoon()) return false;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* memory = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (memory) {
        const size_t units = GlobalSize(data) / sizeof(wchar_t);
        size_t length = 0;
        while (length < units && memory[length] != L'\0') ++length;
        text.assign(memory, length);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return memory != nullptr;
}

struct CopyCase {
    int row;
    bool integerMode;
    const wchar_t* formula;
    const wchar_t* answer;
};

const CopyCase COPY_CASES[] = {
    {0, false, L"dms( acos( 0 - 1 ) )", L"180\u00B00\u20320.000\u2033"},  // degrees, minutes, seconds signs
    {1, true, L"0X(0-1)", L"0XFFFFFFFFFFFFFFFF"},
    {1, true, L"9223372036854775807+1", L"-9223372036854775808"},
    {2, false, L"1/3", L"0.333333333333333"},  // fifteen significant digits
    {3, true, L"1 2", L""},                     // an empty answer is copied as such
};

TEST(Clipboard, AnsToClipCopiesExactlyTheAnswerFieldAndLogsIt)
{
    App app;
    ASSERT_TRUE(app.Start());
    for (const CopyCase& copy : COPY_CASES) {
        SCOPED_TRACE(Utf8(copy.formula));
        if (App::Checked(app.ModeToggle(copy.row)) != copy.integerMode) app.Click(app.ModeToggle(copy.row));
        // An empty answer comes with the stack count message.
        EXPECT_EQ(app.Calculate(copy.row, copy.formula).size(), copy.answer[0] ? 0u : 1u);
        ASSERT_EQ(Utf8(App::Text(app.AnswerField())), Utf8(copy.answer));

        ASSERT_TRUE(PutOnClipboard(L"left over"));
        const size_t before = app.LogLines().size();
        EXPECT_TRUE(app.Click(app.PanelControl(VexiloId::COPY)).empty());
        std::wstring copied;
        ASSERT_TRUE(ClipboardText(copied));
        EXPECT_EQ(Utf8(copied), Utf8(copy.answer));
        EXPECT_EQ(app.LogLinesAfter(before), std::vector<std::wstring>{L"[" + std::wstring(copy.answer) + L"]Copied to the Clipboard"});
    }
}

}  // namespace
