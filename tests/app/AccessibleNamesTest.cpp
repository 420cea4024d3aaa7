// The names a screen reader announces. Wine's oleacc keeps no annotations,
// so what can be checked here is the table they are made from against the
// controls the window actually creates, as data/startup-state-96.txt holds
// them (StartupState keeps that file equal to the window): every tab stop
// has a name in either language, no two tab stops share one, and a row's
// controls name their own row. That a screen reader hears them is for
// Windows to confirm.
#include <fstream>
#include <set>
#include <string>

#include "app/AccessibleNameTable.h"
#include "tests/app/AppTest.h"

namespace {

// The numbers written in a name, as one text: "12" for "Formula 12".
std::wstring DigitsOf(const std::wstring& name)
{
    std::wstring digits;
    for (wchar_t c : name) {
        if (c >= L'0' && c <= L'9') digits += c;
    }
    return digits;
}

// The row a control id belongs to, or -1.
int RowOf(int id)
{
    for (int first : {IDC_FORMULA_FIRST, IDC_MODE_FIRST, IDC_CALC_FIRST}) {
        if (id >= first && id < first + ROW_COUNT) return id - first;
    }
    return -1;
}

TEST(AccessibleNames, EveryTabStopOfTheWindowHasItsOwnNameInEitherLanguage)
{
    std::ifstream dump(std::string(VEXILO_APP_TEST_DATA) + "/startup-state-96.txt");
    int tabStops = 0;
    std::set<std::wstring> names[2];
    for (std::string line; std::getline(dump, line);) {
        const size_t id = line.find(" id="), style = line.find(" style=");
        if (id == std::string::npos || style == std::string::npos) continue;
        if (!(std::stoul(line.substr(style + 7, 8), nullptr, 16) & WS_TABSTOP)) continue;
        ++tabStops;
        const int control = std::stoi(line.substr(id + 4));
        for (bool japanese : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "control " << control << (japanese ? " in Japanese" : " in English"));
            wchar_t name[64];
            ASSERT_TRUE(AccessibleNameOf(control, japanese, name, 64));
            EXPECT_NE(name[0], L'\0');
            EXPECT_TRUE(names[japanese].insert(name).second) << "shared name " << ::testing::PrintToString(std::wstring(name));
            const int row = RowOf(control);
            EXPECT_EQ(DigitsOf(name), row < 0 ? L"" : std::to_wstring(row + 1));
        }
    }
    // The answer field, the two buttons, x, y, z and "?", three per row, the
    // log: the dump was read.
    EXPECT_EQ(tabStops, 7 + 3 * ROW_COUNT + 1);
}

}  // namespace
