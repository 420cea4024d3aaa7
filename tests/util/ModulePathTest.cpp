#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "tests/support/DataFile.h"
#include "util/ModulePath.h"
#include "util/Utf8.h"

TEST(PathWithExt, ReplacesTheExecutablesEnding)
{
    ForEachDataLine(VEXILO_UTIL_DATA_DIR "/texts.txt", [](const std::vector<std::string>& w) {
        if (w[0] != "ext") return;
        wchar_t path[PATH_CAPACITY];
        lstrcpynW(path, Utf8ToWide(w[1]).c_str(), PATH_CAPACITY);
        PathWithExt(path, PATH_CAPACITY, L".ini");
        EXPECT_EQ(std::wstring(path), Utf8ToWide(w[2]));
    });
}

TEST(PathWithExt, CutsToTheBufferAndWritesNoFurther)
{
    wchar_t buffer[64 + 8];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    const std::wstring path = L"C:\\" + std::wstring(58, L'n');  // 61 units, no extension
    lstrcpynW(buffer, path.c_str(), 64);
    PathWithExt(buffer, 64, L".ini");
    EXPECT_EQ(std::wstring(buffer), path + L".i");
    EXPECT_EQ(std::wstring(buffer + 64, 8), std::wstring(8, L'#'));
}
