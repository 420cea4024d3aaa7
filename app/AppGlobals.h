#pragma once
#include <windows.h>

class IniFile;
class OsErrorText;

// Process-wide state of the shell. g_hWndMain (util/MessageBoxSink.h) and
// g_hWndLog (util/ListLines.h) live beside the code that reads them.
extern HINSTANCE g_hInst;            // set by wWinMain
extern IniFile* g_pIniFile;          // created by wWinMain, deleted after the message loop
extern OsErrorText* g_pOsErrorText;  // likewise
extern bool g_Japanese;              // the Japanese flag: set by LoadWindowState, flipped by the File menu

constexpr wchar_t PANEL_CLASS[] = L"PnelVexilomat";
constexpr wchar_t ROWS_CLASS[] = L"ScrollVexilomat";
