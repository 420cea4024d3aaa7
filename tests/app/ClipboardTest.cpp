// "Ans to Clip" puts exactly the answer field's text on the clipboard, which
// the driver reads itself: Wine's clipboard is shared between its processes.
#include "tests/app/AppTest.h"

#include <cstring>

namespace {

// Puts the text on the clipboard, or with null reads it back into text;
// false when that failed. The program may hold the clipboard for a moment.
bool Clipboard(const std::wstring* put, std::wstring& text)
{
    if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) return false;
    bool done = false;
    if (put) {
        EmptyClipboard();
        const size_t bytes = (put->size() + 1) * sizeof(wchar_t);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
        if (void* memory = block ? GlobalLock(block) : nullptr) {
            std::memcpy(memory, put->c_str(), bytes);
            GlobalUnlock(block);
            done = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
        }
        if (!done && block) GlobalFree(block);
    } else if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* memory = static_cast<const wchar_t*>(GlobalLock(data))) {
            // Up to the terminator, within the block.
            text.assign(memory, wcsnlen(memory, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
            done = true;
        }
    }
    CloseClipboard();
    return done;
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
    {2, false, L"1/3", L"0.333333333333333"},
    // The stack count message is read and closed; the empty answer is copied as such.
    {3, true, L"1 2", L""},
};

TEST(Clipboard, AnsToClipCopiesExactlyTheAnswerFieldAndLogsIt)
{
    App app;
    ASSERT_TRUE(app.Start());
    for (const CopyCase& copy : COPY_CASES) {
        SCOPED_TRACE(copy.formula);
        const std::wstring answer = copy.answer;
        app.SetIntegerMode(copy.row, copy.integerMode);
        const size_t before = app.LogLines().size();
        EXPECT_EQ(app.Calculate(copy.row, copy.formula), answer.empty() ? Texts{L"m_StackCnt=2"} : Texts{});
        ASSERT_EQ(App::Text(app.AnswerField()), answer);

        std::wstring copied = L"left over";
        ASSERT_TRUE(Clipboard(&copied, copied));
        EXPECT_TRUE(app.Click(app.PanelControl(VexiloId::COPY)).empty());
        ASSERT_TRUE(Clipboard(nullptr, copied));
        EXPECT_EQ(copied, answer);
        EXPECT_EQ(app.LogLinesAfter(before),
                  (Texts{L"Ans=[" + answer + L"]", L"[" + answer + L"]Copied to the Clipboard"}));
    }
}

}  // namespace
