#pragma once
#include <windows.h>

class IniFile;
class OsErrorText;

// Process-wide state of the shell, each declared once here.
extern HINSTANCE g_hInst;            // set by wWinMain
extern HWND g_hWndMain;              // set by the main window's creation, cleared when it is destroyed
extern HWND g_hWndLog;               // set by the main window when it creates the log list, cleared before it goes
extern HWND g_hWndPanel;             // set by the panel's WM_CREATE, cleared by its WM_DESTROY
extern HWND g_hWndRows;              // set by the formula rows window's WM_CREATE, cleared by its WM_DESTROY
extern HFONT g_hLogFont;             // the log's font: made by the main window at creation and at a new DPI,
extern HFONT g_hAnswerFont;          // like the answer field's font; both deleted by its WM_DESTROY
extern HFONT g_hControlFont;         // every other control's: the system's message font, made by the main
                                     // window at creation, at a new DPI and when the system fonts change,
                                     // deleted by its WM_DESTROY
extern int g_Dpi;                    // the DPI the window is laid out for: 96 until the main window's
                                     // WM_CREATE sets it (SetLayoutDpi), then set again at WM_DPICHANGED
extern IniFile* g_pIniFile;          // created by wWinMain, deleted after the message loop
extern OsErrorText* g_pOsErrorText;  // likewise
extern bool g_Japanese;              // the Japanese flag: set by LoadWindowState, flipped by the File menu

// One formatted line into the log list; dropped while there is no log list.
void TracePrintf(const wchar_t* format, ...);

// The message sink of the window program: a message box owned by the main window.
int ShowMainMessageBox(unsigned flags, const wchar_t* text);

constexpr wchar_t PANEL_CLASS[] = L"PnelVexilomat";
constexpr wchar_t ROWS_CLASS[] = L"ScrollVexilomat";
