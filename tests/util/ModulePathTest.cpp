#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "util/ModulePath.h"

TEST(PathWithExt, ReplacesTheExecutablesEnding)
{
    const struct {
        const wchar_t* path;
        const wchar_t* expected;
    } cases[] = {
        {L"C:\\Apps\\calc.exe", L"C:\\Apps\\calc.ini"},
        // The first lower-case ".exe" of the file name decides; folders never change.
        {L"C:\\tools.exe.d\\calc.exe", L"C:\\tools.exe.d\\calc.ini"},
        {L"C:\\tools.exec\\app\\vexilo.exe", L"C:\\tools.exec\\app\\vexilo.ini"},
        {L"C:/a.exe/calc", L"C:/a.exe/calc.ini"},
        {L"C:\\Apps\\calc.exe.bak", L"C:\\Apps\\calc.ini"},
        // Without one, a last extension .exe in any letter case.
        {L"C:\\Apps\\VEXILO.EXE", L"C:\\Apps\\VEXILO.ini"},
        {L"C:\\Tools.EXE.d\\Vexilo.Exe", L"C:\\Tools.EXE.d\\Vexilo.ini"},
        // Anything else keeps its name and gets the ending.
        {L"C:\\Apps\\vexilo", L"C:\\Apps\\vexilo.ini"},
        {L"C:\\Apps.EXE.d\\vexilo", L"C:\\Apps.EXE.d\\vexilo.ini"},
        {L"C:\\Apps\\vexilo.EXEC", L"C:\\Apps\\vexilo.EXEC.ini"},
    };
    for (const auto& c : cases) {
        wchar_t path[PATH_CAPACITY];
        lstrcpynW(path, c.path, PATH_CAPACITY);
        PathWithExt(path, PATH_CAPACITY, L".ini");
        EXPECT_EQ(std::wstring(path), c.expected);
    }
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

TEST(ModulePathWithExt, NamesAFileBesideTheRunningProgram)
{
    wchar_t self[MAX_PATH];
    const DWORD len = GetModuleFileNameW(nullptr, self, MAX_PATH);
    ASSERT_EQ(std::wstring(self + len - 4), L".exe");
    EXPECT_EQ(ModulePathWithExt(L".txt"), g_ModulePath);
    EXPECT_EQ(std::wstring(g_ModulePath), std::wstring(self, len - 4) + L".txt");
}
