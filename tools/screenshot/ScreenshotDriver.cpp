// Brings a fresh copy of vexilo.exe into the state of one picture, prints
// the screen region to take as WIDTHxHEIGHT+LEFT+TOP, waits for a line on
// its input (the picture has been taken) and closes the program.
//   screenshot_driver SCENARIO
//   screenshot_driver --list
// A new picture is a new function and a new row of SCENARIOS.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/app/driver/VexiloSession.h"

namespace {

// The main window after a few calculations of the sample formulas, the
// last one storing its answer into z.
bool MainWindowScene(VexiloSession& app, RECT& region)
{
    const int rows[] = {0, 6, 11, 19, 8, 2};
    for (int row : rows) {
        if (!app.Click(app.CalcButton(row)).empty()) return false;
    }
    // A box's first focus selects its whole text, and the selection stays
    // drawn; a user who had typed there first would not see it.
    for (int row : rows) SendMessageW(app.FormulaBox(row), CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
    region = VexiloSession::ScreenRect(app.Main());
    return true;
}

// The same window in Japanese, with an error line in the log.
bool JapaneseScene(VexiloSession& app, RECT& region)
{
    if (!app.Command(IDM_JAPANESE).empty()) return false;
    for (int row : {0, 2, 6, 11}) {
        if (!app.Click(app.CalcButton(row)).empty()) return false;
    }
    if (!app.Calculate(3, L"1+$").empty()) return false;
    region = VexiloSession::ScreenRect(app.Main());
    return true;
}

// The explanation of the formula syntax, opened from the Help menu.
bool ExplainScene(VexiloSession& app, RECT& region)
{
    constexpr int CMD_EXPLAIN = 120;
    PostMessageW(app.Main(), WM_COMMAND, CMD_EXPLAIN, 0);
    HWND dialog = app.WaitForWindowOfClass(L"#32770");
    if (!dialog) return false;
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    region = VexiloSession::ScreenRect(dialog);
    return true;
}

struct Scenario {
    const char* name;
    const char* description;
    bool (*run)(VexiloSession& app, RECT& region);
};

constexpr Scenario SCENARIOS[] = {
    {"main", "the main window after a few calculations", MainWindowScene},
    {"japanese", "the main window in Japanese", JapaneseScene},
    {"explain", "the explanation of the formula syntax", ExplainScene},
};

// Every window of the program painted before the picture is taken.
void PaintNow(const VexiloSession& app)
{
    RedrawWindow(app.Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DWORD_PTR result;
    SendMessageTimeoutW(app.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    Sleep(500);  // the X server catches up
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_driver SCENARIO | --list\n");
        return 2;
    }
    if (std::strcmp(argv[1], "--list") == 0) {
        for (const Scenario& scenario : SCENARIOS) std::printf("%-12s %s\n", scenario.name, scenario.description);
        return 0;
    }
    for (const Scenario& scenario : SCENARIOS) {
        if (std::strcmp(argv[1], scenario.name) != 0) continue;
        VexiloSession app;
        RECT region = {};
        // Active, as under a user's hand: the focus moves from row to row.
        if (!app.Start() || !SetForegroundWindow(app.Main()) || !scenario.run(app, region)) {
            std::printf("scenario %s failed\n", scenario.name);
            return 1;
        }
        PaintNow(app);
        std::printf("%ldx%ld+%ld+%ld\n", region.right - region.left, region.bottom - region.top, region.left, region.top);
        std::fflush(stdout);
        char line[16];
        if (!std::fgets(line, sizeof line, stdin)) std::fprintf(stderr, "no answer on the input; closing\n");
        return app.Close() ? 0 : 1;
    }
    std::printf("unknown scenario %s (screenshot_driver --list names them)\n", argv[1]);
    return 2;
}
