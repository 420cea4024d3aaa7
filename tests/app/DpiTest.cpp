// The window at the display scaling of the Wine prefix it runs in (96, 120
// or 144 DPI, see tools/common.sh): every measure is its 96-DPI value times
// dpi/96, within two pixels; a DPI change reported by Windows lays it out
// again; the manifest declares per-monitor awareness.
#include <cmath>
#include <cstdlib>
#include <regex>

#include "tests/app/AppTest.h"
#include "tests/app/InProcessProbe.h"

namespace {

constexpr double TOLERANCE = 2;  // pixels

int PrefixDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

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

// The x places of the answer field's characters after it shows text.
std::vector<int> AnswerCharacterPlaces(App& app, const std::wstring& text)
{
    App::SetText(app.AnswerField(), text);
    std::vector<int> places;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto place = static_cast<DWORD>(SendMessageW(app.AnswerField(), EM_POSFROMCHAR, i, 0));
        places.push_back(static_cast<short>(LOWORD(place)));
    }
    return places;
}

// One edge of a panel control at 96 DPI: a distance from the panel's left
// edge plus a number of x/y/z box widths ((W - 190) / 3 at 96 DPI), or a
// distance from its right edge.
struct Edge96 {
    double offset;
    int boxes;
    bool fromRight;
};

constexpr Edge96 L(double offset, int boxes = 0)
{
    return {offset, boxes, false};
}

constexpr Edge96 R(double offset)
{
    return {offset, 0, true};
}

// The box width is worked out at 96 DPI, whole pixels as there, for the
// panel's width at 96 DPI.
double ExpectedX(const Edge96& edge, double width, double scale)
{
    if (edge.fromRight) return width - edge.offset * scale;
    const double boxWidth96 = std::trunc((width / scale - 190) / 3);
    return (edge.offset + edge.boxes * boxWidth96) * scale;
}

struct PanelPlace {
    const char* name;
    HWND (*find)(App&);
    Edge96 left, right;
    double top, height;  // height 0: a combo box, whose height is its edit field's
};

const PanelPlace PANEL_PLACES[] = {
    {"answer label", [](App& a) { return a.AnswerLabel(); }, L(10), L(70), 0, 36},
    {"answer field", [](App& a) { return a.AnswerField(); }, L(70), R(200), 0, 36},
    {"copy", [](App& a) { return a.PanelControl(VexiloId::COPY); }, R(190), R(90), 0, 26},
    {"on top", [](App& a) { return a.PanelControl(VexiloId::ON_TOP); }, R(80), R(10), 0, 26},
    {"x label", [](App& a) { return a.PanelControl(VexiloId::X_LABEL); }, L(10), L(40), 40, 26},
    {"x box", [](App& a) { return a.VariableBox(0); }, L(40), L(40, 1), 40, 0},
    {"y label", [](App& a) { return a.PanelControl(VexiloId::Y_LABEL); }, L(60, 1), L(90, 1), 40, 26},
    {"y box", [](App& a) { return a.VariableBox(1); }, L(90, 1), L(90, 2), 40, 0},
    {"z label", [](App& a) { return a.PanelControl(VexiloId::Z_LABEL); }, L(110, 2), L(140, 2), 40, 26},
    {"z box", [](App& a) { return a.VariableBox(2); }, L(140, 2), L(140, 3), 40, 0},
    {"help", [](App& a) { return a.PanelControl(VexiloId::HELP_BUTTON); }, R(40), R(10), 40, 26},
    {"caption", [](App& a) { return a.PanelControl(VexiloId::FORMULAS_CAPTION); }, L(0), R(0), 80, 20},
    {"rows", [](App& a) { return a.Rows(); }, L(0), R(0), 100, 310},
};

// Every measure of the window at the DPI given, for its present width.
void ExpectLayoutAt(App& app, int dpi, int scrollPosition)
{
    const double scale = dpi / 96.0;
    const SIZE client = App::ClientSize(app.Main());
    const double width = client.cx;
    SCOPED_TRACE(::testing::Message() << "client width " << client.cx << " at " << dpi);
    EXPECT_NEAR(App::RectIn(app.Panel(), app.Main()).bottom, 430 * scale, TOLERANCE) << "panel height";
    EXPECT_EQ(App::RectIn(app.Panel(), app.Main()).right, client.cx);
    const RECT log = App::RectIn(app.Log(), app.Main());
    EXPECT_NEAR(log.top, 430 * scale, TOLERANCE) << "log top";
    EXPECT_EQ(log.bottom, client.cy);
    EXPECT_NEAR(SendMessageW(app.Log(), LB_GETITEMHEIGHT, 0, 0), 16 * scale, TOLERANCE) << "log line height";

    for (const PanelPlace& place : PANEL_PLACES) {
        SCOPED_TRACE(place.name);
        const RECT rect = App::RectIn(place.find(app), app.Panel());
        EXPECT_NEAR(rect.left, ExpectedX(place.left, width, scale), TOLERANCE);
        EXPECT_NEAR(rect.right, ExpectedX(place.right, width, scale), TOLERANCE);
        EXPECT_NEAR(rect.top, place.top * scale, TOLERANCE);
        if (place.height > 0) {
            EXPECT_NEAR(rect.bottom - rect.top, place.height * scale, TOLERANCE);
        }
    }
    // The dropped lists end 300 pixels below the top of their box, less
    // about the height of the box itself (so Wine counts).
    for (HWND box : {app.VariableBox(0), app.FormulaBox(0)}) {
        RECT dropped = {};
        SendMessageW(box, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        const RECT closed = App::ScreenRect(box);
        EXPECT_LE(dropped.bottom - closed.top, 300 * scale + TOLERANCE) << "drop height";
        EXPECT_GE(dropped.bottom - closed.top, 300 * scale - (closed.bottom - closed.top) - TOLERANCE) << "drop height";
    }

    // Rows a whole pitch apart, the scroll position's row at the top.
    const double rowsWidth = App::ClientSize(app.Rows()).cx;
    const int pitch = App::RectIn(app.FormulaBox(1), app.Rows()).top - App::RectIn(app.FormulaBox(0), app.Rows()).top;
    EXPECT_NEAR(pitch, 30 * scale, 1) << "row pitch";
    for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
        SCOPED_TRACE(row);
        const RECT box = App::RectIn(app.FormulaBox(row), app.Rows());
        const RECT toggle = App::RectIn(app.ModeToggle(row), app.Rows());
        const RECT calc = App::RectIn(app.CalcButton(row), app.Rows());
        const int top = pitch * (row - (scrollPosition - 1));
        EXPECT_EQ(box.top, top);
        EXPECT_EQ(toggle.top, top);
        EXPECT_EQ(calc.top, top);
        EXPECT_NEAR(box.left, 10 * scale, TOLERANCE);
        EXPECT_EQ(box.right, toggle.left);
        EXPECT_NEAR(toggle.left, rowsWidth - 100 * scale, TOLERANCE);
        EXPECT_NEAR(calc.left, rowsWidth - 60 * scale, TOLERANCE);
        EXPECT_NEAR(calc.right, rowsWidth - 10 * scale, TOLERANCE);
        EXPECT_NEAR(calc.bottom - calc.top, 26 * scale, TOLERANCE);
    }
    // Ten rows in view.
    EXPECT_EQ(App::ClientSize(app.Rows()).cy / pitch, 10);

    // The answer font: fixed pitch, its pitch scaled.
    const std::vector<int> places = AnswerCharacterPlaces(app, L"iiiiiWWWWW");
    const double answerPitch = (places.back() - places.front()) / 9.0;
    EXPECT_NEAR(places[5] - places[0], places[9] - places[4], 1) << "i and W as wide";
    EXPECT_NEAR(answerPitch, AnswerPitchAt96() * scale, TOLERANCE) << "answer pitch";
    App::SetText(app.AnswerField(), L"0");
}

TEST(Dpi, FirstStartIsLaidOutForTheDpi)
{
    const int dpi = PrefixDpi();
    if (const char* expected = std::getenv("VEXILO_EXPECT_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected)) << "the prefix is not at the DPI this run is for";
    }
    App app;
    ASSERT_TRUE(app.Start());
    const Box window = BoxOf(App::ScreenRect(app.Main()));
    EXPECT_EQ(window, (Box{MulDiv(50, dpi, 96), MulDiv(50, dpi, 96), MulDiv(700, dpi, 96), MulDiv(600, dpi, 96)}));
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

// Every window's rectangle, in z-order.
std::vector<RECT> Rectangles(HWND top)
{
    std::vector<RECT> rects;
    std::vector<HWND> pending = {top};
    while (!pending.empty()) {
        HWND window = pending.back();
        pending.pop_back();
        rects.push_back(App::ScreenRect(window));
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            pending.push_back(child);
        }
    }
    return rects;
}

TEST(Dpi, DpiChangeLaysTheWindowOutAgainAtTheSameScrollPosition)
{
    const int dpi = PrefixDpi();
    const int otherDpi = dpi == 144 ? 96 : 144;
    App app;
    ASSERT_TRUE(app.Start());
    InProcessProbe probe(app.Main());
    ASSERT_EQ(probe.Failure(), L"");
    app.Scroll(SB_THUMBPOSITION, 6);
    const std::vector<RECT> before = Rectangles(app.Main());
    const RECT start = App::ScreenRect(app.Main());

    struct Change {
        int dpi;
        RECT suggested;
    };
    const Change CHANGES[] = {
        {otherDpi, {start.left + 5, start.top + 7, start.left + 5 + MulDiv(720, otherDpi, 96),
                    start.top + 7 + MulDiv(600, otherDpi, 96)}},
        {dpi, start},
    };
    for (const Change& change : CHANGES) {
        SCOPED_TRACE(change.dpi);
        ASSERT_TRUE(probe.SendDpiChanged(app.Main(), change.dpi, change.suggested));
        app.Settle();
        EXPECT_EQ(BoxOf(App::ScreenRect(app.Main())), BoxOf(change.suggested));
        ExpectLayoutAt(app, change.dpi, 6);
    }
    // Back at the first DPI, everything stands where it stood.
    const std::vector<RECT> after = Rectangles(app.Main());
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) EXPECT_TRUE(EqualRect(&after[i], &before[i])) << "window " << i;
}

TEST(Dpi, ManifestDeclaresPerMonitorAwareness)
{
    App app;  // for its copy of vexilo.exe
    HMODULE exe = LoadLibraryExW((app.Folder() + L"\\vexilo.exe").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(exe);
    HRSRC resource = FindResourceW(exe, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_TRUE(resource);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(exe, resource)));
    const std::string manifest(bytes, SizeofResource(exe, resource));
    FreeLibrary(exe);
    std::smatch match;
    ASSERT_TRUE(std::regex_search(manifest, match, std::regex("<dpiAwareness(?:\\s[^>]*)?>([^<]*)</dpiAwareness>")));
    EXPECT_EQ(match[1].str(), "PerMonitorV2, PerMonitor");
    ASSERT_TRUE(std::regex_search(manifest, match, std::regex("<dpiAware(?:\\s[^>]*)?>([^<]*)</dpiAware>")));
    EXPECT_EQ(match[1].str(), "true/pm");
}

}  // namespace
