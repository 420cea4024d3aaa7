#pragma once
#include <windows.h>

#include <cstdarg>
#include <cstdint>

// Turns an operating-system error code into a message. Templates name two
// placeholders: "%OsErrCd%" (the code, e.g. 0X5) and "%OsErr%" (the system's
// text for it); their other percent directives take the caller's arguments.
class OsErrorText {
public:
    static constexpr int TEXT_UNITS = 2048;

    OsErrorText();

    // m_SysText holding the system's text for code without the line break
    // the system ends it with; empty when the system has none.
    wchar_t* SystemText(DWORD code);
    // The finished message, in g_FormatBuff; cut at 1023 characters.
    wchar_t* FormatError(DWORD code, const wchar_t* templ, va_list args);
    // FormatError for the calling thread's last error code.
    wchar_t* FormatLastError(const wchar_t* templ, ...);

private:
    wchar_t m_SysText[TEXT_UNITS];
    wchar_t m_CodeText[TEXT_UNITS];
    wchar_t m_Template[TEXT_UNITS];
    int32_t m_LangId;
};
