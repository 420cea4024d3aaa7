#include "util/OsErrorText.h"

#include "util/ReplaceAll.h"
#include "util/TextFormat.h"

OsErrorText::OsErrorText() : m_LangId(0)
{
    m_SysText[0] = m_CodeText[0] = m_Template[0] = 0;
}

wchar_t* OsErrorText::SystemText(DWORD code)
{
    if (m_LangId == 0) m_LangId = LANG_USER_DEFAULT;
    wchar_t* text = nullptr;
    const DWORD len = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
        static_cast<DWORD>(m_LangId), reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    m_SysText[0] = 0;
    if (len > 0 && text) lstrcpynW(m_SysText, text, TEXT_UNITS);
    if (text) LocalFree(text);
    // The system ends its texts with a line break, which would break the one
    // line of a log entry or a message.
    int end = lstrlenW(m_SysText);
    while (end > 0 && (m_SysText[end - 1] == L'\r' || m_SysText[end - 1] == L'\n' || m_SysText[end - 1] == L' ')) --end;
    m_SysText[end] = 0;
    return m_SysText;
}

wchar_t* OsErrorText::FormatError(DWORD code, const wchar_t* templ, va_list args)
{
    SystemText(code);
    FormatText(m_CodeText, TEXT_UNITS, L"%#X", static_cast<unsigned>(code));
    lstrcpynW(m_Template, ReplaceAll(templ, L"%OsErrCd%", m_CodeText), TEXT_UNITS);
    // The system's percent signs are text, not directives for the formatting below.
    wchar_t sysText[TEXT_CAPACITY];
    EscapePercents(sysText, TEXT_CAPACITY, m_SysText);
    const wchar_t* format = ReplaceAll(m_Template, L"%OsErr%", sysText);
    return SharedFormat(nullptr, format, args);
}

wchar_t* OsErrorText::FormatLastError(const wchar_t* templ, ...)
{
    const DWORD code = GetLastError();
    va_list args;
    va_start(args, templ);
    wchar_t* message = FormatError(code, templ, args);
    va_end(args);
    return message;
}
