#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/DataFile.h"

// A table-driven test sees only the lines of its own kind, and a kind that
// is misspelled or gone from a shared file fails instead of checking nothing.
TEST(DataFile, EachKindFindsItsOwnLinesOrFails)
{
    const std::string path = VEXILO_UTIL_DATA_DIR "/texts.txt";
    ForEachDataLine(path, "utf8", [](const std::vector<std::string>& words) { EXPECT_EQ(words.at(0), "utf8"); });
    EXPECT_NONFATAL_FAILURE(ForEachDataLine(path, "utf-8", [](const std::vector<std::string>&) {}),
                            "no lines of kind utf-8");
    EXPECT_NONFATAL_FAILURE(ForEachDataLine(path + ".missing", [](const std::vector<std::string>&) {}), "no lines");
}
