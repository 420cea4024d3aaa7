#include "tests/settings/support/SampleSettings.h"

#include "settings/IniFile.h"
#include "util/TextFormat.h"

std::unique_ptr<IniFile> IniAt(const std::wstring& path)
{
    return std::make_unique<IniFile>(path.c_str());
}

void FillSample(IniFile& ini, int seed)
{
    const std::wstring symbols = L"0123456789+-*/()xyz.";
    const std::wstring wide = L"１＋２日本é";
    for (int row = 0; row < IniFile::ROW_CNT; ++row) {
        for (int entry = 0; entry < IniFile::HISTORY_CNT; ++entry) {
            const size_t start = static_cast<size_t>(row * 7 + entry * 3 + seed);
            const std::wstring& alphabet = (row + entry) % 9 == 4 ? wide : symbols;
            std::wstring formula = L"f";  // no leading blank: the profile functions drop those
            while (formula.size() < 60) formula += alphabet[(start + formula.size()) % alphabet.size()];
            ini.SetHistory(row, entry, formula.c_str());
        }
        ini.SetIntMode(row, (row + seed) % 2);
    }
    for (int var = 0; var < IniFile::VAR_CNT; ++var) {
        for (int entry = 0; entry < IniFile::HISTORY_CNT; ++entry) {
            wchar_t number[16];
            FormatText(number, 16, L"%010d", seed * 1000 + var * 100 + entry);
            ini.SetVarHistory(var, entry, number);
        }
    }
    ini.m_Japanese = seed % 2;
    ini.m_WndLeft = -8 - seed;
    ini.m_WndTop = 20 + seed;
    ini.m_WndWidth = 700 + seed;
    ini.m_WndHeight = 600;
}

std::wstring Dump(IniFile& ini)
{
    std::wstring dump;
    auto text = [&dump](const std::wstring& name, const wchar_t* value) {
        if (value[0]) dump += name + L"=" + value + L"\n";
    };
    for (int entry = 0; entry < IniFile::HISTORY_CNT; ++entry) {
        const std::wstring at = L"/" + std::to_wstring(entry);
        for (int row = 0; row < IniFile::ROW_CNT; ++row) text(L"row " + std::to_wstring(row) + at, ini.GetHistory(row, entry));
        for (int var = 0; var < IniFile::VAR_CNT; ++var) text(L"var " + std::to_wstring(var) + at, ini.GetVarHistory(var, entry));
    }
    for (int row = 0; row < IniFile::ROW_CNT; ++row) dump += std::to_wstring(ini.GetIntMode(row)) + L" ";
    for (int number : {ini.m_Japanese, ini.m_WndLeft, ini.m_WndTop, ini.m_WndWidth, ini.m_WndHeight}) {
        dump += L"\n" + std::to_wstring(number);
    }
    return dump;
}
