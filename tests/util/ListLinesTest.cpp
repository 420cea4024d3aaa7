#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/util/TestControls.h"
#include "util/ComboLines.h"
#include "util/DpiScale.h"
#include "util/LogLines.h"
#include "util/TextFormat.h"

namespace {

int ListPrintf(HWND hList, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const int index = ListBoxPrintf(hList, BASE_DPI, format, args);
    va_end(args);
    return index;
}

// One line into a combo box, as the histories are filled.
int ComboPrintf(HWND hCombo, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    int len = 0;
    const wchar_t* line = SharedFormat(&len, format, args);
    va_end(args);
    ComboBoxAddLines(hCombo, &line, 1, BASE_DPI);
    return static_cast<int>(SendMessageW(hCombo, CB_GETCOUNT, 0, 0)) - 1;
}

// The two width-keeping printers, driven alike.
struct Printer {
    const char* name;
    ControlKind kind;
    int (*print)(HWND, const wchar_t*, ...);
    UINT getExtent;
};

const Printer PRINTERS[] = {
    {"ListBoxPrintf", ControlKind::List, ListPrintf, LB_GETHORIZONTALEXTENT},
    {"ComboBoxAddLines", ControlKind::Combo, ComboPrintf, CB_GETHORIZONTALEXTENT},
};

int Extent(const Printer& printer, const TestControl& control)
{
    return static_cast<int>(SendMessageW(control.Handle(), printer.getExtent, 0, 0));
}

LONG_PTR StoredLength(const TestControl& control)
{
    return GetWindowLongPtrW(control.Handle(), GWLP_USERDATA);
}

}  // namespace

TEST(LineExtent, LinesCloseToTheStoredLengthAreMeasured)
{
    const struct {
        LONG_PTR stored;
        int lineLen;
        bool measured;
    } cases[] = {{40, 31, true}, {40, 30, false}, {0, 1, true}, {10, 0, false}, {5, 0, true}};
    for (const Printer& printer : PRINTERS) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << printer.name << " L=" << c.stored << " len=" << c.lineLen);
            TestControl control(printer.kind);
            SetWindowLongPtrW(control.Handle(), GWLP_USERDATA, c.stored);
            const std::wstring line(static_cast<size_t>(c.lineLen), L'W');
            printer.print(control.Handle(), L"%s", line.c_str());
            EXPECT_EQ(Extent(printer, control), c.measured ? control.ExpectedExtent(line) : 0);
            EXPECT_EQ(StoredLength(control), c.measured ? c.lineLen : c.stored);
        }
    }
}

// The stored length follows the line that last widened the list, even a
// shorter one; a narrower line changes nothing.
TEST(LineExtent, OnlyAWiderLineMovesTheExtent)
{
    for (const Printer& printer : PRINTERS) {
        SCOPED_TRACE(printer.name);
        TestControl control(printer.kind);
        const std::wstring lines[] = {std::wstring(60, L'i'), std::wstring(55, L'W'), std::wstring(52, L'i')};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(printer.print(control.Handle(), L"%s", lines[i].c_str()), i);
            EXPECT_EQ(control.Item(i), lines[i]);
        }
        ASSERT_GT(control.ExpectedExtent(lines[1]), control.ExpectedExtent(lines[0]));
        EXPECT_EQ(Extent(printer, control), control.ExpectedExtent(lines[1]));
        EXPECT_EQ(StoredLength(control), 55);
    }
}

TEST(ListBoxPrintf, NewestLineComesIntoViewAndWideLinesScroll)
{
    TestControl list(ControlKind::List);
    ListPrintf(list.Handle(), L"%s", std::wstring(120, L'W').c_str());
    int last = 0;
    for (int i = 1; i < 60; ++i) last = ListPrintf(list.Handle(), L"line %d", i);
    ASSERT_EQ(last, 59);
    RECT client{};
    RECT item{};
    GetClientRect(list.Handle(), &client);
    SendMessageW(list.Handle(), LB_GETITEMRECT, static_cast<WPARAM>(last), reinterpret_cast<LPARAM>(&item));
    EXPECT_GT(SendMessageW(list.Handle(), LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_LE(item.bottom, client.bottom);
    EXPECT_GT(SendMessageW(list.Handle(), LB_GETHORIZONTALEXTENT, 0, 0), client.right);
}
