// The window at the display scaling of the Wine prefix it runs in (96, 120
// or 144 DPI, see tools/common.sh): every measure is its 96-DPI value times
// dpi/96, within two pixels; a DPI change reported by Windows lays it out
// again, the controls' font made anew for it; the manifest declares
// per-monitor awareness.
#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <set>

#include "tests/app/AppTest.h"
#include "tests/app/InProcessProbe.h"
#include "tests/support/DataFile.h"

namespace {

constexpr double TOLERANCE = 2;  // pixels
const int PREFIX_DPI = [] {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}();

// The character pitch of the answer font as a 96-DPI program would get it
// here, measured in this process with the same request.
double AnswerPitchAt96()
{
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontW(30, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    SIZE size = {};
    GetTextExtentPoint32W(screen, L"0000000000", 10, &size);
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return size.cx / 10.0;
}

// The panel's own controls as data/startup-state-96.txt shows them at 96
// DPI (StartupState keeps that file equal to the window), in creation order.
struct DumpedControl {
    std::string className;
    RECT rect;
};

std::vector<DumpedControl> PanelControlsAt96(LONG& panelWidth)
{
    std::ifstream dump(std::string(VEXILO_APP_TEST_DATA) + "/startup-state-96.txt");
    const std::regex panel("^  PnelVexilomat .* rect=-?\\d+,-?\\d+ (\\d+)x\\d+ ");
    const std::regex child("^    (\\w+) id=\\d+ .* rect=(-?\\d+),(-?\\d+) (\\d+)x(\\d+) ");
    std::vector<DumpedControl> controls;
    std::smatch m;
    for (std::string line; std::getline(dump, line);) {
        if (std::regex_search(line, m, panel)) panelWidth = std::stol(m[1]);
        if (!std::regex_search(line, m, child)) continue;
        const LONG left = std::stol(m[2]), top = std::stol(m[3]);
        controls.push_back({m[1], {left, top, left + std::stol(m[4]), top + std::stol(m[5])}});
    }
    return controls;
}

// The rules the panel's layout keeps at every DPI and width: the controls
// stand in lines, each line's top, margins and gaps (zero where a label and
// its box are flush) are those at 96 DPI times the scale, every control but
// the combo boxes (as high as their edit field) is as high as at 96 DPI
// times the scale, and nothing overlaps or leaves the panel. A gap may be
// up to three pixels wider where the x, y and z boxes share the width in
// whole pixels.
void ExpectPanelRules(App& app, double scale)
{
    LONG width96 = 0;
    const std::vector<DumpedControl> at96 = PanelControlsAt96(width96);
    std::vector<RECT> now;
    for (HWND child = GetWindow(app.Panel(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        now.push_back(App::RectIn(child, app.Panel()));
    }
    ASSERT_EQ(now.size(), at96.size()) << "the panel's controls of the 96-DPI dump";
    ASSERT_GT(width96, 0);
    const SIZE panel = App::ClientSize(app.Panel());
    std::map<LONG, std::vector<size_t>> lines;  // by top at 96 DPI, each left to right
    for (size_t i = 0; i < now.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << at96[i].className << " " << i);
        const RECT& rect = now[i];
        EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= panel.cx && rect.bottom <= panel.cy) << "inside";
        for (size_t j = 0; j < i; ++j) {
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &rect, &now[j])) << "overlaps control " << j;
        }
        EXPECT_NEAR(rect.top, at96[i].rect.top * scale, TOLERANCE) << "top";
        if (at96[i].className != "ComboBox") {
            EXPECT_NEAR(rect.bottom - rect.top, (at96[i].rect.bottom - at96[i].rect.top) * scale, TOLERANCE) << "height";
        }
        lines[at96[i].rect.top].push_back(i);
    }
    for (auto& [top, line] : lines) {
        SCOPED_TRACE(::testing::Message() << "line at " << top);
        std::sort(line.begin(), line.end(), [&](size_t a, size_t b) { return at96[a].rect.left < at96[b].rect.left; });
        auto expectGap = [&](LONG gap, LONG gap96) {
            EXPECT_GE(gap, gap96 * scale - TOLERANCE);
            EXPECT_LE(gap, gap96 * scale + 3 * scale + TOLERANCE);
        };
        expectGap(now[line.front()].left, at96[line.front()].rect.left);
        for (size_t k = 1; k < line.size(); ++k) {
            expectGap(now[line[k]].left - now[line[k - 1]].right, at96[line[k]].rect.left - at96[line[k - 1]].rect.right);
        }
        expectGap(panel.cx - now[line.back()].right, width96 - at96[line.back()].rect.right);
    }
}

// Every measure of the window at the DPI given, for its present width.
void ExpectLayoutAt(App& app, int dpi, int scrollPosition)
{
    const double scale = dpi / 96.0;
    const SIZE client = App::ClientSize(app.Main());
    SCOPED_TRACE(::testing::Message() << "client width " << client.cx << " at " << dpi);
    EXPECT_NEAR(App::RectIn(app.Panel(), app.Main()).bottom, 430 * scale, TOLERANCE) << "panel height";
    EXPECT_EQ(App::RectIn(app.Panel(), app.Main()).right, client.cx);
    const RECT log = App::RectIn(app.Log(), app.Main());
    EXPECT_NEAR(log.top, 430 * scale, TOLERANCE) << "log top";
    EXPECT_EQ(log.bottom, client.cy);
    EXPECT_NEAR(SendMessageW(app.Log(), LB_GETITEMHEIGHT, 0, 0), 16 * scale, TOLERANCE) << "log line height";
    ExpectPanelRules(app, scale);
    // The dropped lists end 300 pixels below the top of their box, less
    // about the height of the box itself (so Wine counts).
    for (HWND box : {app.VariableBox(0), app.FormulaBox(0)}) {
        RECT dropped = {};
        SendMessageW(box, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        const RECT closed = App::ScreenRect(box);
        EXPECT_LE(dropped.bottom - closed.top, 300 * scale + TOLERANCE) << "drop height";
        EXPECT_GE(dropped.bottom - closed.top, 300 * scale - (closed.bottom - closed.top) - TOLERANCE) << "drop height";
    }
    // Rows a whole pitch apart, the scroll position's row at the top, ten in view.
    const double rowsWidth = App::ClientSize(app.Rows()).cx;
    const int pitch = App::RectIn(app.FormulaBox(1), app.Rows()).top - App::RectIn(app.FormulaBox(0), app.Rows()).top;
    EXPECT_NEAR(pitch, 30 * scale, 1) << "row pitch";
    EXPECT_EQ(App::ClientSize(app.Rows()).cy / pitch, 10);
    for (int row = 0; row < ROW_COUNT; ++row) {
        SCOPED_TRACE(row);
        const RECT box = App::RectIn(app.FormulaBox(row), app.Rows());
        const RECT toggle = App::RectIn(app.ModeToggle(row), app.Rows());
        const RECT calc = App::RectIn(app.CalcButton(row), app.Rows());
        const int top = pitch * (row - (scrollPosition - 1));
        EXPECT_EQ((std::array<LONG, 3>{box.top, toggle.top, calc.top}), (std::array<LONG, 3>{top, top, top}));
        EXPECT_NEAR(box.left, 10 * scale, TOLERANCE);
        EXPECT_EQ(box.right, toggle.left);
        EXPECT_NEAR(toggle.left, rowsWidth - 100 * scale, TOLERANCE);
        EXPECT_NEAR(calc.left, rowsWidth - 60 * scale, TOLERANCE);
        EXPECT_NEAR(calc.right, rowsWidth - 10 * scale, TOLERANCE);
        EXPECT_NEAR(calc.bottom - calc.top, 26 * scale, TOLERANCE);
    }
    // The answer font: fixed pitch (i as wide as W), its pitch scaled.
    const std::wstring text = L"iiiiiWWWWW";
    App::SetText(app.AnswerField(), text);
    std::vector<int> places;
    for (size_t i = 0; i < text.size(); ++i) {
        places.push_back(static_cast<short>(LOWORD(SendMessageW(app.AnswerField(), EM_POSFROMCHAR, i, 0))));
    }
    EXPECT_NEAR(places[5] - places[0], places[9] - places[4], 1) << "i and W as wide";
    EXPECT_NEAR((places[9] - places[0]) / 9.0, AnswerPitchAt96() * scale, TOLERANCE) << "answer pitch";
    App::SetText(app.AnswerField(), L"0");
}

TEST(Dpi, FirstStartIsLaidOutForTheDpi)
{
    const int dpi = PREFIX_DPI;
    if (const char* expected = std::getenv("VEXILO_EXPECT_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected)) << "the prefix is not at the DPI this run is for";
    }
    App app;
    ASSERT_TRUE(app.Start());
    const int at50 = MulDiv(50, dpi, 96);
    EXPECT_EQ(BoxOf(App::ScreenRect(app.Main())), (Box{at50, at50, MulDiv(700, dpi, 96), MulDiv(600, dpi, 96)}));
    ExpectLayoutAt(app, dpi, 1);

    // The smallest frame, and the layout at that width.
    RECT drag = {100, 100, 200, 200};
    SendMessageW(app.Main(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(BoxOf(drag), (Box{100, 100, MulDiv(500, dpi, 96), MulDiv(510, dpi, 96)}));
    SetWindowPos(app.Main(), nullptr, 0, 0, drag.right - drag.left, drag.bottom - drag.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ExpectLayoutAt(app, dpi, 1);
    EXPECT_EQ(app.LogLines().back(), L"si.fMask=17 si.nMin=1 si.nMax=20 si.nPage=10 si.nPos=1 si.nTrackPos=0");
    EXPECT_EQ(app.LogLines().end()[-2], L"lineSiz=" + std::to_wstring(MulDiv(30, dpi, 96)) + L" dispno=10 ");
}

// The height of the one font that every control but the log and the answer
// field has (the system's message font at the window's DPI); 0 when they
// differ, or when one has the system font of old.
LONG ControlFontHeight(App& app, InProcessProbe& probe)
{
    std::set<LONG> heights;
    for (HWND parent : {app.Panel(), app.Rows()}) {
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (child != app.AnswerField() && child != app.Rows()) heights.insert(probe.FontHeight(child).value_or(0));
        }
    }
    return heights.size() == 1 ? std::abs(*heights.begin()) : 0;
}

// Every window's rectangle, depth first.
void CollectRectangles(HWND window, std::vector<Box>& boxes)
{
    boxes.push_back(BoxOf(App::ScreenRect(window)));
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) CollectRectangles(child, boxes);
}

TEST(Dpi, DpiChangeLaysTheWindowOutAgainAtTheSameScrollPosition)
{
    const int dpi = PREFIX_DPI;
    const int otherDpi = dpi == 144 ? 96 : 144;
    App app;
    ASSERT_TRUE(app.Start());
    InProcessProbe probe(app.Main());
    ASSERT_EQ(probe.Failure(), L"");
    app.Scroll(SB_THUMBPOSITION, 6);
    std::vector<Box> before, after;
    CollectRectangles(app.Main(), before);
    const LONG fontHeight = ControlFontHeight(app, probe);
    ASSERT_GT(fontHeight, 0) << "one font for the controls";
    const RECT start = App::ScreenRect(app.Main());
    const RECT moved = {start.left + 5, start.top + 7, start.left + 5 + MulDiv(720, otherDpi, 96),
                        start.top + 7 + MulDiv(600, otherDpi, 96)};
    for (const auto& [newDpi, suggested] : {std::pair{otherDpi, moved}, std::pair{dpi, start}}) {
        SCOPED_TRACE(newDpi);
        ASSERT_TRUE(probe.SendDpiChanged(app.Main(), newDpi, suggested));
        app.Settle();
        EXPECT_EQ(BoxOf(App::ScreenRect(app.Main())), BoxOf(suggested));
        ExpectLayoutAt(app, newDpi, 6);
        EXPECT_NEAR(ControlFontHeight(app, probe), fontHeight * newDpi / static_cast<double>(dpi), 1)
            << "control font height";
    }
    // A change of the system fonts makes the control font again, here the
    // same one: nothing moves, the scroll position stays.
    SendMessageW(app.Main(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    app.Settle();
    EXPECT_EQ(ControlFontHeight(app, probe), fontHeight);
    // Back at the first DPI, everything stands where it stood.
    CollectRectangles(app.Main(), after);
    EXPECT_EQ(after, before);
}

// Per-monitor DPI awareness, and the themed common controls.
TEST(Dpi, ManifestDeclaresPerMonitorAwareness)
{
    App app;  // for its copy of vexilo.exe
    HMODULE exe = LoadLibraryExW((app.Folder() + L"\\vexilo.exe").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(exe);
    HRSRC resource = FindResourceW(exe, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_TRUE(resource);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, resource))), SizeofResource(exe, resource));
    FreeLibrary(exe);
    std::smatch match;
    ASSERT_TRUE(std::regex_search(manifest, match, std::regex("<dpiAwareness(?:\\s[^>]*)?>([^<]*)</dpiAwareness>")));
    EXPECT_EQ(match[1].str(), "PerMonitorV2, PerMonitor");
    ASSERT_TRUE(std::regex_search(manifest, match, std::regex("<dpiAware(?:\\s[^>]*)?>([^<]*)</dpiAware>")));
    EXPECT_EQ(match[1].str(), "true/pm");
    EXPECT_TRUE(std::regex_search(manifest, std::regex("<dependentAssembly>\\s*<assemblyIdentity\\s[^>]*"
                                                       "name=\"Microsoft\\.Windows\\.Common-Controls\"\\s[^>]*"
                                                       "version=\"6\\.0\\.0\\.0\"")));
}

}  // namespace
