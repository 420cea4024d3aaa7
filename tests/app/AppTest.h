#pragma once
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/app/driver/VexiloSession.h"

using App = VexiloSession;
using Texts = std::vector<std::wstring>;
// A rectangle as left, top, width and height, to compare in one go.
using Box = std::array<LONG, 4>;
// cmb13: the file name box of the save dialog.
constexpr int SAVE_FILE_NAME = 0x47C;

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

// A file of tests/app/data, by a path Wine understands.
inline std::wstring DataPath(const std::string& name)
{
    std::string path = std::string(VEXILO_APP_TEST_DATA) + "/" + name;
    if (path[0] == '/') path = "Z:" + path;  // a Linux path, as Wine sees it
    return std::wstring(path.begin(), path.end());
}

// The row at the top of the rows' view, measured; -1 when the rows do not
// stand on whole-row steps.
inline int FirstInView(App& app)
{
    const LONG top0 = App::RectIn(app.FormulaBox(0), app.Rows()).top;
    const LONG pitch = App::RectIn(app.FormulaBox(1), app.Rows()).top - top0;
    return pitch > 0 && top0 % pitch == 0 ? static_cast<int>(-top0 / pitch) : -1;
}
