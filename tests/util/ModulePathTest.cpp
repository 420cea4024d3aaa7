#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/DataFile.h"
#include "util/ModulePath.h"
#include "util/Utf8.h"

// Cut to the buffer's capacity, when the data gives one, and nothing written past it.
TEST(PathWithExt, ReplacesTheExecutablesEndingWithinTheBuffer)
{
    ForEachDataLine(VEXILO_UTIL_DATA_DIR "/texts.txt", "ext", [](const std::vector<std::string>& w) {
        const size_t capacity = w.size() > 3 ? std::stoul(w[3]) : PATH_CAPACITY;
        std::vector<wchar_t> buffer(capacity + 8, L'#');
        lstrcpynW(buffer.data(), Utf8ToWide(w[1]).c_str(), static_cast<int>(capacity));
        PathWithExt(buffer.data(), capacity, L".ini");
        EXPECT_EQ(std::wstring(buffer.data()), Utf8ToWide(w[2]));
        EXPECT_EQ(std::wstring(buffer.data() + capacity, 8), std::wstring(8, L'#'));
    });
}
