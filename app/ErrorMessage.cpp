#include "app/ErrorMessage.h"

#include <cstdarg>

#include "app/AppGlobals.h"
#include "util/OsErrorText.h"

const wchar_t* ErrorMessage(DWORD code, const wchar_t* templ, ...)
{
    va_list args;
    va_start(args, templ);
    const wchar_t* message = g_pOsErrorText->FormatError(code, templ, args);
    va_end(args);
    return message;
}
