#pragma once
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "tests/app/VexiloSession.h"
#include "tests/support/SampleFormulas.h"

using App = VexiloSession;
using Texts = std::vector<std::wstring>;
// A rectangle as left, top, width and height, to compare in one go.
using Box = std::array<LONG, 4>;

inline Box BoxOf(const RECT& rect)
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// A history list: entries, then empty ones up to the 20 every list starts with.
inline Texts History(Texts entries)
{
    entries.resize(20);
    return entries;
}

// One program shared by the tests of a suite (class XTest : public SharedApp {}),
// for tests that only look, or work on rows of their own.
class SharedApp : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_App = std::make_unique<App>();
        s_Started = s_App->Start();
    }
    static void TearDownTestSuite() { s_App.reset(); }
    void SetUp() override { ASSERT_TRUE(s_Started) << "vexilo.exe did not start"; }

    static App& app() { return *s_App; }

    static inline std::unique_ptr<App> s_App;
    static inline bool s_Started = false;
};
