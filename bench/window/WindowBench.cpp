// Times vexilo.exe from outside, as a user meets it:
// 1. start-up: from process creation to the main window shown, painted and
//    answering messages, each program copied into a fresh folder first;
//    vexilo.exe with a settings file of full histories, against
//    empty_window.exe, an empty window of the same size started the same way;
// 2. a Calc press with full histories: from BM_CLICK until the answer is
//    shown and the settings file has been written, each press a new formula
//    on a window that has finished drawing the one before.
// Medians; the last line is the summary:
// startup_ratio=<r> startup_vexilo_ms=<v> startup_empty_ms=<e> calc_press_ms=<c>
//
// With --requests LOG it instead counts the Wine server requests that each
// program makes from its start until its window is idle, from the log of a
// server started as "wineserver -f -d1 2>LOG" (bench/window_bench.sh does
// that): a measure of the work that does not depend on the machine's load.
// Its last line is: requests_vexilo=<n> requests_empty=<m>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/driver/VexiloSession.h"

namespace {

constexpr int START_ROUNDS = 15;  // of each program, after one start of each to warm up
constexpr int PRESSES = 50;       // after one to warm up
constexpr DWORD SETTLE_MS = 50;   // between presses, off the clock
constexpr DWORD TIMEOUT_MS = 20000;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

// Every history full: 20 formulas of each row, 20 values of each variable.
std::vector<std::wstring> FullSettings()
{
    std::vector<std::wstring> lines = {L"[Language]", L"Japanese=0"};
    auto twoDigits = [](int n) { return (n < 10 ? L"0" : L"") + std::to_wstring(n); };
    for (int row = 0; row < 20; ++row) {
        lines.push_back(L"[History" + std::to_wstring(row) + L"]");
        for (int entry = 0; entry < 20; ++entry) {
            lines.push_back(L"Str" + twoDigits(entry) + L"=( " + std::to_wstring(row) + L" * 577 + 127 * 3 - " +
                            std::to_wstring(entry) + L" / 2 )*( 39 * 39 / 3 )-( 160 / 4 )");
        }
    }
    for (const wchar_t* var : {L"X", L"Y", L"Z"}) {
        lines.push_back(std::wstring(L"[History") + var + L"]");
        for (int entry = 0; entry < 20; ++entry) {
            lines.push_back(L"Str" + twoDigits(entry) + L"=" + std::to_wstring(1000000 + entry));
        }
    }
    lines.push_back(L"[Switch]");
    for (int row = 0; row < 20; ++row) lines.push_back(L"Int" + std::to_wstring(row) + L"=" + std::to_wstring(row % 2));
    for (const wchar_t* line : {L"[WndPos]", L"left=50", L"top=50", L"width=700", L"height=600"}) lines.push_back(line);
    return lines;
}

int g_StartNumber = 0;  // names the log marks of each start

// A line in the server's log: an event created under this name.
HANDLE LogMark(const std::wstring& name)
{
    return CreateEventW(nullptr, FALSE, FALSE, name.c_str());
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// The hexadecimal number at pos, as the log writes thread ids.
std::string HexAt(const std::string& text, size_t pos)
{
    const size_t end = text.find_first_not_of("0123456789abcdef", pos);
    return text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
}

// The requests that the threads of the process made between the two marks
// of the log: its first thread is the one the server reports for the pid,
// the others are those its threads created.
long CountRequests(const std::wstring& logPath, const std::string& startMark, const std::string& idleMark,
                   DWORD processId)
{
    std::ifstream log(std::filesystem::path(logPath), std::ios::binary);
    char pid[16];
    std::snprintf(pid, sizeof pid, "%04lx", static_cast<unsigned long>(processId));
    const std::string firstThread = std::string("init_first_thread() = 0 { pid=") + pid + ", tid=";
    const std::string newThread = "new_thread() = 0 { tid=";
    std::set<std::string> threads;
    std::string line;
    bool counting = false;
    long requests = 0;
    while (std::getline(log, line)) {
        if (!counting) {
            counting = line.find(startMark) != std::string::npos;
            continue;
        }
        if (line.find(idleMark) != std::string::npos) return requests;
        const size_t colon = line.find(": ");
        if (colon == std::string::npos) continue;
        const std::string tid = line.substr(0, colon);
        const std::string text = line.substr(colon + 2);
        if (text.rfind(firstThread, 0) == 0) threads.insert(HexAt(text, firstThread.size()));
        if (!threads.count(tid)) continue;
        if (text.rfind(newThread, 0) == 0) threads.insert(HexAt(text, newThread.size()));
        // A request reads "name( arguments )", its reply "name() = status".
        const size_t paren = text.find('(');
        if (paren != std::string::npos && paren > 0 && text.compare(paren, 2, "()") != 0 &&
            text.find_first_not_of("abcdefghijklmnopqrstuvwxyz_") == paren) {
            ++requests;
        }
    }
    return -1;  // the idle mark never came
}

// Milliseconds from CreateProcess until the window of className is visible
// and its thread has come back to the message loop; negative on failure.
// isFilled then checks the window's content, off the clock.
// With a log, the server requests until idle instead (negative on failure).
template <typename Check>
double TimeStart(const std::wstring& folder, const wchar_t* exeName, const wchar_t* className, Check isFilled,
                 const std::wstring& requestLog = L"")
{
    const std::wstring mark = L"VexiloBench." + std::to_wstring(GetCurrentProcessId()) + L"." +
                              std::to_wstring(++g_StartNumber);
    HANDLE startMark = requestLog.empty() ? nullptr : LogMark(mark + L".start");
    std::wstring commandLine = L"\"" + folder + L"\\" + exeName + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const LARGE_INTEGER start = Now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return -1;
    }
    // Waits, without asking anything, until the program first waits for
    // input: searching the window list meanwhile would load the Wine server
    // that the program itself depends on, and the more so the more top-level
    // windows there are (the list of each drop-down box is one).
    WaitForInputIdle(process.hProcess, TIMEOUT_MS);
    HWND window = nullptr;
    const DWORD deadline = GetTickCount() + TIMEOUT_MS;
    while (!(window = VexiloSession::FindTopLevel(process.dwProcessId, className)) && GetTickCount() < deadline) {
        Sleep(1);
    }
    DWORD_PTR result;
    const bool answered = window && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, TIMEOUT_MS, &result);
    const LARGE_INTEGER end = Now();
    HANDLE idleMark = requestLog.empty() ? nullptr : LogMark(mark + L".idle");
    const bool filled = answered && isFilled(window);

    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, TIMEOUT_MS) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (startMark) CloseHandle(startMark);
    if (idleMark) CloseHandle(idleMark);
    if (!filled) return -1;
    if (!requestLog.empty()) {
        return static_cast<double>(
            CountRequests(requestLog, Narrow(mark + L".start"), Narrow(mark + L".idle"), process.dwProcessId));
    }
    return Milliseconds(start, end);
}

std::wstring ChildText(HWND parent, int id)
{
    return VexiloSession::Text(GetDlgItem(parent, id));
}

// The last formula box shows its newest history entry once the state is in.
bool VexiloFilled(HWND main)
{
    HWND rows = GetDlgItem(GetDlgItem(main, IDC_PANEL), IDC_ROWS);
    return ChildText(rows, IDC_FORMULA_FIRST + 19).find(L"( 19 * 577") == 0;
}

// A fresh folder holding a copy of empty_window.exe, removed at the end.
class EmptyProgramFolder {
public:
    EmptyProgramFolder()
    {
        wchar_t base[MAX_PATH] = L"";
        const DWORD len = GetTempPathW(MAX_PATH, base);
        if (len == 0 || len >= MAX_PATH) base[0] = 0;
        m_Folder = std::wstring(base) + L"vexilo-bench-empty-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_Folder.c_str(), nullptr);
        m_Copied = CopyFileW(BesideThisProgram(L"empty_window.exe").c_str(), Exe().c_str(), FALSE) != 0;
    }
    ~EmptyProgramFolder()
    {
        DeleteFileW(Exe().c_str());
        RemoveDirectoryW(m_Folder.c_str());
    }
    EmptyProgramFolder(const EmptyProgramFolder&) = delete;
    EmptyProgramFolder& operator=(const EmptyProgramFolder&) = delete;

    const std::wstring& Folder() const { return m_Folder; }
    bool Copied() const { return m_Copied; }

private:
    std::wstring Exe() const { return m_Folder + L"\\empty_window.exe"; }

    std::wstring m_Folder;
    bool m_Copied = false;
};

bool StartUp(double& vexiloMs, double& emptyMs)
{
    VexiloSession vexilo;  // only for its fresh folder with a copy of vexilo.exe; the timing starts it
    vexilo.WriteSettingsText(FullSettings());
    EmptyProgramFolder emptyFolder;
    if (!emptyFolder.Copied()) {
        std::printf("empty_window.exe not found beside window_bench.exe\n");
        return false;
    }
    std::vector<double> vexiloTimes;
    std::vector<double> emptyTimes;
    for (int round = 0; round <= START_ROUNDS; ++round) {
        const double e = TimeStart(emptyFolder.Folder(), L"empty_window.exe", L"EmptyBenchWindow", [](HWND) { return true; });
        const double v = TimeStart(vexilo.Folder(), L"vexilo.exe", L"VEXILO", VexiloFilled);
        if (e < 0 || v < 0) {
            std::printf("a start failed (empty %.1f, vexilo %.1f)\n", e, v);
            return false;
        }
        if (round == 0) continue;
        emptyTimes.push_back(e);
        vexiloTimes.push_back(v);
    }
    emptyMs = Median(emptyTimes);
    vexiloMs = Median(vexiloTimes);
    std::printf("start-up, empty window program: median %.1f ms (min %.1f, max %.1f) over %d starts\n", emptyMs,
                *std::min_element(emptyTimes.begin(), emptyTimes.end()),
                *std::max_element(emptyTimes.begin(), emptyTimes.end()), START_ROUNDS);
    std::printf("start-up, vexilo.exe with full histories: median %.1f ms (min %.1f, max %.1f) over %d starts\n",
                vexiloMs, *std::min_element(vexiloTimes.begin(), vexiloTimes.end()),
                *std::max_element(vexiloTimes.begin(), vexiloTimes.end()), START_ROUNDS);
    return true;
}

// One start of each program under a server that logs every request.
bool CountStartRequests(const std::wstring& logPath)
{
    VexiloSession vexilo;
    vexilo.WriteSettingsText(FullSettings());
    EmptyProgramFolder emptyFolder;
    const double empty = TimeStart(emptyFolder.Folder(), L"empty_window.exe", L"EmptyBenchWindow",
                                   [](HWND) { return true; }, logPath);
    const double requests = TimeStart(vexilo.Folder(), L"vexilo.exe", L"VEXILO", VexiloFilled, logPath);
    if (empty < 0 || requests < 0) {
        std::printf("the requests could not be counted (empty %.0f, vexilo %.0f)\n", empty, requests);
        return false;
    }
    std::printf("server requests until idle: vexilo.exe with full histories %.0f (goal: at most 8000) %s, "
                "empty window program %.0f\n",
                requests, requests <= 8000 ? "met" : "NOT met", empty);
    std::printf("requests_vexilo=%.0f requests_empty=%.0f\n", requests, empty);
    return true;
}

bool CalcPresses(double& pressMs)
{
    VexiloSession app;
    app.WriteSettingsText(FullSettings());
    if (!app.Start()) {
        std::printf("vexilo.exe did not start\n");
        return false;
    }
    constexpr int ROW = 0;  // Decimal mode
    std::vector<double> times;
    for (int press = 0; press <= PRESSES; ++press) {
        // A new formula each time, so that each press changes the file.
        const std::wstring formula = L"1000+" + std::to_wstring(press);
        const std::wstring answer = std::to_wstring(1000 + press);
        VexiloSession::SetText(app.FormulaBox(ROW), formula);
        HWND calc = app.CalcButton(ROW);
        const LARGE_INTEGER start = Now();
        // Returns when the press has been handled: answer set, file written.
        SendMessageW(calc, BM_CLICK, 0, 0);
        const LARGE_INTEGER end = Now();
        // The window draws the new answer and log line once it is idle
        // again; a press sent at once would wait for that drawing and time
        // it too. A user's presses are further apart.
        Sleep(SETTLE_MS);
        if (VexiloSession::Text(app.AnswerField()) != answer ||
            app.SettingsValue(L"History0", L"Str00") != formula) {
            std::printf("press %d: the answer or the settings file is not what it should be\n", press);
            return false;
        }
        if (press > 0) times.push_back(Milliseconds(start, end));
    }
    pressMs = Median(times);
    std::printf("Calc press with full histories: median %.2f ms (min %.2f, max %.2f) over %d presses\n", pressMs,
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
                PRESSES);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--requests") {
        const std::string log = argv[2];
        return CountStartRequests(std::wstring(log.begin(), log.end())) ? 0 : 1;
    }
    double vexiloMs = 0;
    double emptyMs = 0;
    double pressMs = 0;
    if (!StartUp(vexiloMs, emptyMs) || !CalcPresses(pressMs)) return 1;
    const double ratio = vexiloMs / emptyMs;
    std::printf("start-up ratio vexilo/empty: %.2f (goal: at most 3) %s\n", ratio, ratio <= 3 ? "met" : "NOT met");
    std::printf("Calc press: %.2f ms (goal: under 15 ms) %s\n", pressMs, pressMs < 15 ? "met" : "NOT met");
    std::printf("startup_ratio=%.2f startup_vexilo_ms=%.1f startup_empty_ms=%.1f calc_press_ms=%.2f\n", ratio, vexiloMs,
                emptyMs, pressMs);
    return 0;
}
