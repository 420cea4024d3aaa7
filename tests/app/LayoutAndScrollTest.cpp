// The panel's layout at two widths, and scrolling the twenty rows.
#include <gtest/gtest.h>

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "tests/app/VexiloSession.h"

namespace {

using App = VexiloSession;
using Texts = std::vector<std::wstring>;

constexpr int ROW_PITCH = 30;

class LayoutAndScrollTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_App = std::make_unique<App>();
        s_Started = s_App->Start();
    }
    static void TearDownTestSuite() { s_App.reset(); }
    void SetUp() override { ASSERT_TRUE(s_Started) << "vexilo.exe did not start"; }

    static App& app() { return *s_App; }

    // Every control of every row stands where the position puts it.
    static ::testing::AssertionResult RowsStandAt(int position)
    {
        for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
            const int top = ROW_PITCH * (row - (position - 1));
            for (HWND control : {app().FormulaBox(row), app().ModeToggle(row), app().CalcButton(row)}) {
                const LONG actual = App::RectIn(control, app().Rows()).top;
                if (actual != top) {
                    return ::testing::AssertionFailure() << "row " << row << " control "
                                                         << GetDlgCtrlID(control) << " at top " << actual
                                                         << ", expected " << top;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    static std::unique_ptr<App> s_App;
    static bool s_Started;
};

std::unique_ptr<App> LayoutAndScrollTest::s_App;
bool LayoutAndScrollTest::s_Started = false;

TEST_F(LayoutAndScrollTest, PanelFollowsTheWidth)
{
    struct Place {
        int id;  // ANSWER stands for the answer field here; its label is LABEL
        int left, top, width;
    };
    constexpr int LABEL = -1;
    struct Layout {
        int width;
        std::vector<Place> places;
    };
    // Box width B = (W - 190) / 3: 170 at 700, 103 at 500. x label at 10,
    // each box right of its label, 20 pixels to the next label.
    const Layout LAYOUTS[] = {
        {700,
         {{LABEL, 10, 0, 60}, {VexiloId::ANSWER, 70, 0, 430}, {VexiloId::COPY, 510, 0, 100},
          {VexiloId::ON_TOP, 620, 0, 70}, {VexiloId::X_LABEL, 10, 40, 30}, {VexiloId::X, 40, 40, 170},
          {VexiloId::Y_LABEL, 230, 40, 30}, {VexiloId::Y, 260, 40, 170}, {VexiloId::Z_LABEL, 450, 40, 30},
          {VexiloId::Z, 480, 40, 170}, {VexiloId::HELP_BUTTON, 660, 40, 30},
          {VexiloId::FORMULAS_CAPTION, 0, 80, 700}, {VexiloId::ROWS, 0, 100, 700}}},
        {500,
         {{LABEL, 10, 0, 60}, {VexiloId::ANSWER, 70, 0, 230}, {VexiloId::COPY, 310, 0, 100},
          {VexiloId::ON_TOP, 420, 0, 70}, {VexiloId::X_LABEL, 10, 40, 30}, {VexiloId::X, 40, 40, 103},
          {VexiloId::Y_LABEL, 163, 40, 30}, {VexiloId::Y, 193, 40, 103}, {VexiloId::Z_LABEL, 316, 40, 30},
          {VexiloId::Z, 346, 40, 103}, {VexiloId::HELP_BUTTON, 460, 40, 30},
          {VexiloId::FORMULAS_CAPTION, 0, 80, 500}, {VexiloId::ROWS, 0, 100, 500}}},
    };
    for (const Layout& layout : LAYOUTS) {
        SCOPED_TRACE(layout.width);
        app().SetClientWidth(layout.width);
        const SIZE client = App::ClientSize(app().Main());
        ASSERT_EQ(client.cx, layout.width);

        const RECT panel = App::RectIn(app().Panel(), app().Main());
        EXPECT_EQ(panel.left, 0);
        EXPECT_EQ(panel.top, 0);
        EXPECT_EQ(panel.right, layout.width);
        EXPECT_EQ(panel.bottom, 430);
        // The log takes all the height below the panel.
        const RECT log = App::RectIn(app().Log(), app().Main());
        EXPECT_EQ(log.left, 0);
        EXPECT_EQ(log.top, 430);
        EXPECT_EQ(log.right, layout.width);
        EXPECT_EQ(log.bottom, client.cy);

        for (const Place& place : layout.places) {
            SCOPED_TRACE(place.id);
            HWND control = place.id == LABEL               ? app().AnswerLabel()
                           : place.id == VexiloId::ANSWER ? app().AnswerField()
                                                          : app().PanelControl(place.id);
            const RECT rect = App::RectIn(control, app().Panel());
            EXPECT_EQ(rect.left, place.left);
            EXPECT_EQ(rect.top, place.top);
            EXPECT_EQ(rect.right - rect.left, place.width);
        }

        // Calc buttons and toggles to the right, 10 pixels from the scroll
        // bar; the formula boxes reach the toggles.
        const int rowsWidth = App::ClientSize(app().Rows()).cx;
        for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
            SCOPED_TRACE(row);
            const RECT calc = App::RectIn(app().CalcButton(row), app().Rows());
            const RECT toggle = App::RectIn(app().ModeToggle(row), app().Rows());
            const RECT box = App::RectIn(app().FormulaBox(row), app().Rows());
            EXPECT_EQ(calc.right, rowsWidth - 10);
            EXPECT_EQ(calc.right - calc.left, 50);
            EXPECT_EQ(toggle.right, calc.left);
            EXPECT_EQ(toggle.right - toggle.left, 40);
            EXPECT_EQ(box.left, 10);
            EXPECT_EQ(box.right, toggle.left);
        }
    }
}

TEST_F(LayoutAndScrollTest, ScrollRequestsMoveTheRowsByWholeRows)
{
    enum class Input { Bar, Wheel };
    struct Move {
        int from;
        Input input;
        WORD request;  // for the bar
        WORD thumb;
        short distance;  // for the wheel
        int to;
    };
    constexpr Move MOVES[] = {
        {1, Input::Bar, SB_LINEUP, 0, 0, 1},
        {1, Input::Bar, SB_PAGEUP, 0, 0, 1},
        {1, Input::Bar, SB_LINEDOWN, 0, 0, 2},
        {4, Input::Bar, SB_LINEUP, 0, 0, 3},
        {10, Input::Bar, SB_LINEDOWN, 0, 0, 11},
        {11, Input::Bar, SB_LINEDOWN, 0, 0, 11},
        {11, Input::Bar, SB_PAGEDOWN, 0, 0, 11},
        {1, Input::Bar, SB_PAGEDOWN, 0, 0, 11},
        {5, Input::Bar, SB_PAGEDOWN, 0, 0, 11},
        {7, Input::Bar, SB_PAGEUP, 0, 0, 1},
        {11, Input::Bar, SB_PAGEUP, 0, 0, 1},
        {3, Input::Bar, SB_THUMBPOSITION, 9, 0, 9},
        {9, Input::Bar, SB_THUMBTRACK, 4, 0, 4},
        {6, Input::Bar, SB_TOP, 0, 0, 6},
        {6, Input::Bar, SB_BOTTOM, 0, 0, 6},
        {6, Input::Bar, SB_ENDSCROLL, 0, 0, 6},
        // One row per wheel message, whatever the distance.
        {5, Input::Wheel, 0, 0, -120, 6},
        {5, Input::Wheel, 0, 0, -480, 6},
        {5, Input::Wheel, 0, 0, 120, 4},
        {1, Input::Wheel, 0, 0, 120, 1},
        {11, Input::Wheel, 0, 0, -120, 11},
    };
    for (const Move& move : MOVES) {
        SCOPED_TRACE(::testing::Message() << "from " << move.from << " request " << move.request << " thumb "
                                          << move.thumb << " wheel " << move.distance);
        app().Scroll(SB_THUMBPOSITION, static_cast<WORD>(move.from));
        ASSERT_TRUE(RowsStandAt(move.from));

        if (move.input == Input::Bar) app().Scroll(move.request, move.thumb);
        else app().Wheel(move.distance);

        EXPECT_EQ(app().FirstRowInView(), move.to);
        EXPECT_TRUE(RowsStandAt(move.to));
    }
    app().Scroll(SB_THUMBPOSITION, 1);
}

TEST_F(LayoutAndScrollTest, WidthChangeTakesTheRowsBackToTheTop)
{
    app().Scroll(SB_THUMBPOSITION, 6);
    ASSERT_TRUE(RowsStandAt(6));
    const size_t logBefore = app().LogLines().size();

    app().SetClientWidth(App::ClientSize(app().Main()).cx + 40);

    EXPECT_TRUE(RowsStandAt(1));
    EXPECT_EQ(app().LogLinesAfter(logBefore),
              (Texts{L"lineSiz=30 dispno=10 ", L"si.fMask=17 si.nMin=1 si.nMax=20 si.nPage=10 si.nPos=1 si.nTrackPos=0"}));
    // The scroll bar agrees: nothing above, a full page below.
    app().Scroll(SB_LINEUP);
    EXPECT_TRUE(RowsStandAt(1));
    app().Scroll(SB_PAGEDOWN);
    EXPECT_TRUE(RowsStandAt(11));
    app().Scroll(SB_THUMBPOSITION, 1);
}

}  // namespace
