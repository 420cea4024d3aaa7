#include "settings/ProfileWriter.h"

#include <cwchar>

// The buffer goes to the file as it lies in memory.
static_assert(sizeof(wchar_t) == 2, "UTF-16 code units");

wchar_t* OneLineValue(const wchar_t* value, wchar_t* line, size_t capacity)
{
    if (capacity == 0) return line;
    size_t i = 0;
    for (; i + 1 < capacity && value[i]; ++i) {
        const wchar_t c = value[i];
        const bool breaksLine = c < 0x20 || c == 0x7F || c == 0x85 || c == 0x2028 || c == 0x2029;
        line[i] = breaksLine ? L' ' : c;
    }
    line[i] = 0;
    return line;
}

ProfileWriter::ProfileWriter(const wchar_t* path)
    : m_hFile(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))
{
    if (m_hFile == INVALID_HANDLE_VALUE) Fail();
    else Put(L"\xFEFF");
}

ProfileWriter::~ProfileWriter()
{
    if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
}

void ProfileWriter::PutValue(const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    if (std::wcscmp(section, m_Section) != 0) {
        lstrcpynW(m_Section, section, TEXT_CAPACITY);
        Put(L"[");
        Put(section);
        Put(L"]\r\n");
    }
    Put(key);
    Put(L"=");
    Put(OneLineValue(value, m_Line, TEXT_CAPACITY));
    Put(L"\r\n");
}

DWORD ProfileWriter::Finish()
{
    if (m_hFile == INVALID_HANDLE_VALUE) return m_Error;
    WriteBuffer();
    // The new file takes the old one's place next: its content must be on
    // the disk before the name is.
    if (m_Error == ERROR_SUCCESS && !FlushFileBuffers(m_hFile)) Fail();
    if (!CloseHandle(m_hFile) && m_Error == ERROR_SUCCESS) Fail();
    m_hFile = INVALID_HANDLE_VALUE;
    return m_Error;
}

void ProfileWriter::Put(const wchar_t* text)
{
    for (size_t len = std::wcslen(text); len > 0 && m_Error == ERROR_SUCCESS;) {
        if (m_Len == BUFF_UNITS) WriteBuffer();
        const size_t n = len < BUFF_UNITS - m_Len ? len : BUFF_UNITS - m_Len;
        std::wmemcpy(m_Buff + m_Len, text, n);
        m_Len += n;
        text += n;
        len -= n;
    }
}

void ProfileWriter::WriteBuffer()
{
    if (m_Error == ERROR_SUCCESS && m_Len > 0) {
        const auto bytes = static_cast<DWORD>(m_Len * sizeof(wchar_t));
        DWORD written = 0;
        if (!WriteFile(m_hFile, m_Buff, bytes, &written, nullptr)) Fail();
        else if (written < bytes) m_Error = ERROR_DISK_FULL;
    }
    m_Len = 0;
}

void ProfileWriter::Fail()
{
    if (m_Error == ERROR_SUCCESS) m_Error = GetLastError();
    // A failure that left no code is still a failure.
    if (m_Error == ERROR_SUCCESS) m_Error = ERROR_WRITE_FAULT;
}
