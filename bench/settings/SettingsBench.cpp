// Times IniFile::Save against the same settings written key by key (485
// WritePrivateProfileStringW calls), with full histories: 400 formula
// entries of 60 characters and 60 variable entries of 10 digits. Each round
// changes every value, as the histories do when they fill, and both ways
// write over their own previous file. The last line is the summary:
// save_ms_median=<x> naive_ms_median=<y> ratio=<y/x>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "settings/IniFile.h"
#include "tests/settings/support/KeyByKeySave.h"
#include "tests/settings/support/SampleSettings.h"
#include "tests/support/FileBytes.h"

namespace {

constexpr int SAVE_ROUNDS = 41;
constexpr int NAIVE_ROUNDS = 7;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

template <typename Write>
std::vector<double> Time(IniFile& ini, int rounds, Write write)
{
    std::vector<double> times;
    for (int round = 0; round <= rounds; ++round) {
        FillSample(ini, round);
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        write(ini);
        QueryPerformanceCounter(&end);
        if (round > 0) times.push_back(Milliseconds(start, end));  // round 0 creates the file
    }
    return times;
}

}  // namespace

int main()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"vexilo-settings-bench";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring savePath = folder + L"\\save.ini";
    const std::wstring naivePath = folder + L"\\naive.ini";
    DeleteFileW(savePath.c_str());
    CreateUtf16File(naivePath);

    auto saved = IniAt(savePath);
    auto naive = IniAt(naivePath);
    bool allSaved = true;
    const std::vector<double> saveTimes =
        Time(*saved, SAVE_ROUNDS, [&](IniFile& ini) { allSaved = ini.Save() && allSaved; });
    const std::vector<double> naiveTimes = Time(*naive, NAIVE_ROUNDS, SaveKeyByKey);

    // Both end on the same round's values: the files must be equal.
    FillSample(*saved, NAIVE_ROUNDS);
    allSaved = saved->Save() && allSaved;
    const std::string savedBytes = ReadFileBytes(savePath);
    const bool same = !savedBytes.empty() && savedBytes == ReadFileBytes(naivePath);
    std::printf("file_bytes=%zu rounds save=%d naive=%d all_saved=%s same_file=%s\n", savedBytes.size(), SAVE_ROUNDS,
                NAIVE_ROUNDS, allSaved ? "yes" : "no", same ? "yes" : "no");

    DeleteFileW(savePath.c_str());
    DeleteFileW(naivePath.c_str());
    RemoveDirectoryW(folder.c_str());

    const double saveMedian = Median(saveTimes);
    const double naiveMedian = Median(naiveTimes);
    std::printf("save_ms_median=%.2f naive_ms_median=%.1f ratio=%.1f\n", saveMedian, naiveMedian,
                naiveMedian / saveMedian);
    return allSaved && same ? 0 : 1;
}
