#pragma once
#include <windows.h>

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

// The keys of one section of a settings file, read with a single
// private-profile call instead of one call per key: under Wine each call
// costs about half a millisecond, and a settings file has 460 texts.
class SectionReader {
public:
    // Reads the section; false when it did not fit the buffer whole, and
    // the keys must be read one by one.
    bool Read(const wchar_t* path, const wchar_t* section);

    // The key's value as GetPrivateProfileStringW gives it: blanks around
    // it and one pair of enclosing quotes removed, cut to capacity - 1
    // units; empty when the key is missing. The first of two equal keys
    // (letter case ignored) wins.
    void Value(const wchar_t* key, wchar_t* dest, size_t capacity) const;

    // The key's number as GetPrivateProfileIntW gives it with 0 as the
    // default: its first 29 units converted as the system's profile
    // functions convert them (a sign, 0x, 0o and 0b prefixes), 0 when the
    // key is missing or empty.
    int32_t IntValue(const wchar_t* key) const;

    // True when the section read held no keys at all.
    bool Empty() const { return m_Entries.empty(); }

private:
    std::vector<wchar_t> m_Buffer;
    std::vector<std::pair<std::wstring_view, std::wstring_view>> m_Entries;  // key, value
};
