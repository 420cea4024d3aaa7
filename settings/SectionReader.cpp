#include "settings/SectionReader.h"

#include <winternl.h>

#include <cwctype>

// The conversion the system's GetPrivateProfileIntW applies to the text it
// read; exported by ntdll.dll, which every Windows process has loaded.
extern "C" NTSYSAPI NTSTATUS NTAPI RtlUnicodeStringToInteger(PCUNICODE_STRING text, ULONG base, PULONG value);

namespace {

// Large enough for twenty values of 1023 characters with their keys.
constexpr DWORD SECTION_UNITS = 65536;
// GetPrivateProfileIntW reads the text of a number into a buffer of this size.
constexpr size_t NUMBER_UNITS = 30;

std::wstring_view Trim(std::wstring_view text)
{
    while (!text.empty() && std::iswspace(text.front())) text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back())) text.remove_suffix(1);
    return text;
}

bool SameKey(std::wstring_view a, const wchar_t* b)
{
    const int length = static_cast<int>(a.size());
    return lstrlenW(b) == length
           && CompareStringOrdinal(a.data(), length, b, length, TRUE) == CSTR_EQUAL;
}

}  // namespace

bool SectionReader::Read(const wchar_t* path, const wchar_t* section)
{
    m_Buffer.assign(SECTION_UNITS, L'\0');
    m_Entries.clear();
    const DWORD length = GetPrivateProfileSectionW(section, m_Buffer.data(), SECTION_UNITS, path);
    if (length >= SECTION_UNITS - 2) return false;

    // "key=value" texts one after the other, each ending in a zero.
    for (const wchar_t* line = m_Buffer.data(); *line; line += std::wstring_view(line).size() + 1) {
        const std::wstring_view entry(line);
        const size_t equals = entry.find(L'=');
        const std::wstring_view key = Trim(entry.substr(0, equals));
        const std::wstring_view value = equals == std::wstring_view::npos ? std::wstring_view() : Trim(entry.substr(equals + 1));
        m_Entries.emplace_back(key, value);
    }
    return true;
}

void SectionReader::Value(const wchar_t* key, wchar_t* dest, size_t capacity) const
{
    if (capacity == 0) return;
    std::wstring_view value;
    for (const auto& [name, text] : m_Entries) {
        if (SameKey(name, key)) {
            value = text;
            break;
        }
    }
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    const size_t copied = value.size() < capacity - 1 ? value.size() : capacity - 1;
    value.copy(dest, copied);
    dest[copied] = 0;
}

int32_t SectionReader::IntValue(const wchar_t* key) const
{
    wchar_t text[NUMBER_UNITS];
    Value(key, text, NUMBER_UNITS);
    if (!text[0]) return 0;
    UNICODE_STRING string;
    string.Buffer = text;
    string.Length = static_cast<USHORT>(lstrlenW(text) * sizeof(wchar_t));
    string.MaximumLength = sizeof text;
    ULONG value = 0;
    RtlUnicodeStringToInteger(&string, 0, &value);
    // The unsigned result carries a negative value ("-8") in two's complement.
    return static_cast<int32_t>(value);
}
