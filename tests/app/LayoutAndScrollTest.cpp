// The panel's layout at two widths, and scrolling the twenty rows.
#include "tests/app/AppTest.h"

namespace {

constexpr int ROW_PITCH = 30;

class LayoutAndScrollTest : public SharedApp {
protected:
    // Every control of every row stands where the position puts it: row
    // position - 1 at the top of the rows window.
    static ::testing::AssertionResult RowsStandAt(int position)
    {
        for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
            const int top = ROW_PITCH * (row - (position - 1));
            for (HWND control : {app().FormulaBox(row), app().ModeToggle(row), app().CalcButton(row)}) {
                const LONG actual = App::RectIn(control, app().Rows()).top;
                if (actual != top) {
                    return ::testing::AssertionFailure() << "row " << row << " control " << GetDlgCtrlID(control)
                                                         << " at top " << actual << ", expected " << top;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
};

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
        // The panel on top, 430 high; the log takes all the height below it.
        EXPECT_EQ(BoxOf(App::RectIn(app().Panel(), app().Main())), (Box{0, 0, layout.width, 430}));
        EXPECT_EQ(BoxOf(App::RectIn(app().Log(), app().Main())), (Box{0, 430, layout.width, client.cy - 430}));

        for (const Place& place : layout.places) {
            SCOPED_TRACE(place.id);
            HWND control = place.id == LABEL               ? app().AnswerLabel()
                           : place.id == VexiloId::ANSWER ? app().AnswerField()
                                                          : app().PanelControl(place.id);
            const RECT rect = App::RectIn(control, app().Panel());
            EXPECT_EQ((std::array<LONG, 3>{rect.left, rect.top, rect.right - rect.left}),
                      (std::array<LONG, 3>{place.left, place.top, place.width}));
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
    constexpr WORD WHEEL = 0xFFFF;  // a wheel message instead of a scroll bar request
    struct Move {
        int from;
        WORD request;
        int thumbOrDistance;
        int to;
    };
    constexpr Move MOVES[] = {
        {1, SB_LINEUP, 0, 1}, {1, SB_PAGEUP, 0, 1}, {1, SB_LINEDOWN, 0, 2}, {4, SB_LINEUP, 0, 3},
        {10, SB_LINEDOWN, 0, 11}, {11, SB_LINEDOWN, 0, 11}, {11, SB_PAGEDOWN, 0, 11}, {1, SB_PAGEDOWN, 0, 11},
        {5, SB_PAGEDOWN, 0, 11}, {7, SB_PAGEUP, 0, 1}, {11, SB_PAGEUP, 0, 1}, {3, SB_THUMBPOSITION, 9, 9},
        {9, SB_THUMBTRACK, 4, 4}, {6, SB_TOP, 0, 6}, {6, SB_BOTTOM, 0, 6}, {6, SB_ENDSCROLL, 0, 6},
        // One row per wheel message, whatever the distance.
        {5, WHEEL, -120, 6}, {5, WHEEL, -480, 6}, {5, WHEEL, 120, 4}, {1, WHEEL, 120, 1}, {11, WHEEL, -120, 11},
    };
    for (const Move& move : MOVES) {
        SCOPED_TRACE(::testing::Message() << "from " << move.from << " request " << move.request << " "
                                          << move.thumbOrDistance);
        app().Scroll(SB_THUMBPOSITION, static_cast<WORD>(move.from));
        ASSERT_TRUE(RowsStandAt(move.from));
        if (move.request == WHEEL) app().Wheel(static_cast<short>(move.thumbOrDistance));
        else app().Scroll(move.request, static_cast<WORD>(move.thumbOrDistance));
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
