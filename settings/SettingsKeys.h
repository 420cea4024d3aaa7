#pragma once

// Section and key names of the settings file. Numbered names are formats:
// rows are numbered without a leading zero (History7, Int12), history
// entries always with two digits (Str05).
constexpr const wchar_t* SECTION_LANGUAGE = L"Language";
constexpr const wchar_t* KEY_JAPANESE = L"Japanese";

constexpr const wchar_t* SECTION_HISTORY_FORMAT = L"History%d";
constexpr const wchar_t* SECTION_VAR_HISTORY[] = {L"HistoryX", L"HistoryY", L"HistoryZ"};
constexpr const wchar_t* KEY_ENTRY_FORMAT = L"Str%02d";

constexpr const wchar_t* SECTION_SWITCH = L"Switch";
constexpr const wchar_t* KEY_INT_MODE_FORMAT = L"Int%d";

constexpr const wchar_t* SECTION_WND_POS = L"WndPos";
constexpr const wchar_t* KEY_LEFT = L"left";
constexpr const wchar_t* KEY_TOP = L"top";
constexpr const wchar_t* KEY_WIDTH = L"width";
constexpr const wchar_t* KEY_HEIGHT = L"height";

// Room for any of the names above, formatted.
constexpr int NAME_UNITS = 16;
