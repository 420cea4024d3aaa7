#pragma once
#include <windows.h>

// A message made from a template with the placeholders %OsErrCd% and
// %OsErr% for an error code, and printf directives for the arguments.
// Lives in g_FormatBuff until the next formatting call.
const wchar_t* ErrorMessage(DWORD code, const wchar_t* templ, ...);
