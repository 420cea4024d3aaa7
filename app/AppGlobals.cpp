#include "app/AppGlobals.h"

HINSTANCE g_hInst = nullptr;
IniFile* g_pIniFile = nullptr;
OsErrorText* g_pOsErrorText = nullptr;
bool g_Japanese = false;
