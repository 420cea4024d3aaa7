#pragma once
// What the source files of IniFile share: the check that a file can be read,
// and the walk over every value in the order the file holds them.
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

// 0 when the file at path can be opened and read whole, else the system's
// error code.
DWORD UnreadableError(const wchar_t* path);

// Every value of the settings file in file order: Language, History0 to
// History19, HistoryX, HistoryY, HistoryZ, Switch, WndPos, each with its keys
// in order. visit(section, key, text, number) gets exactly one of text and
// number; the names are valid during the call only.
template <typename Visit>
void IniFile::ForEachValue(Visit&& visit)
{
    wchar_t section[NAME_UNITS];
    wchar_t key[NAME_UNITS];
    visit(SECTION_LANGUAGE, KEY_JAPANESE, nullptr, &m_Japanese);
    for (int row = 0; row < ROW_CNT; ++row) {
        FormatText(section, NAME_UNITS, SECTION_HISTORY_FORMAT, row);
        for (int entry = 0; entry < HISTORY_CNT; ++entry) {
            FormatText(key, NAME_UNITS, KEY_ENTRY_FORMAT, entry);
            visit(section, key, m_History[row][entry], nullptr);
        }
    }
    for (int var = 0; var < VAR_CNT; ++var) {
        for (int entry = 0; entry < HISTORY_CNT; ++entry) {
            FormatText(key, NAME_UNITS, KEY_ENTRY_FORMAT, entry);
            visit(SECTION_VAR_HISTORY[var], key, m_VarHistory[var][entry], nullptr);
        }
    }
    for (int row = 0; row < ROW_CNT; ++row) {
        FormatText(key, NAME_UNITS, KEY_INT_MODE_FORMAT, row);
        visit(SECTION_SWITCH, key, nullptr, &m_IntMode[row]);
    }
    visit(SECTION_WND_POS, KEY_LEFT, nullptr, &m_WndLeft);
    visit(SECTION_WND_POS, KEY_TOP, nullptr, &m_WndTop);
    visit(SECTION_WND_POS, KEY_WIDTH, nullptr, &m_WndWidth);
    visit(SECTION_WND_POS, KEY_HEIGHT, nullptr, &m_WndHeight);
}
