#include "util/ReplaceAll.h"

#include <cwchar>

wchar_t g_ReplaceBuff[TEXT_CAPACITY];

namespace {

// Appends at most n units, as many as still fit; returns the new length.
size_t Append(wchar_t* dest, size_t len, const wchar_t* source, size_t n)
{
    const size_t room = TEXT_CAPACITY - 1 - len;
    if (n > room) n = room;
    std::wmemcpy(dest + len, source, n);
    return len + n;
}

}  // namespace

wchar_t* ReplaceAll(const wchar_t* text, const wchar_t* placeholder, const wchar_t* replacement)
{
    // Built aside, so that text may live in g_ReplaceBuff.
    wchar_t result[TEXT_CAPACITY];
    size_t len = 0;
    const size_t placeholderLen = std::wcslen(placeholder);
    const size_t replacementLen = std::wcslen(replacement);
    const wchar_t* pos = text;
    if (placeholderLen > 0) {
        for (const wchar_t* hit; len < TEXT_CAPACITY - 1 && (hit = std::wcsstr(pos, placeholder)); ) {
            len = Append(result, len, pos, static_cast<size_t>(hit - pos));
            len = Append(result, len, replacement, replacementLen);
            pos = hit + placeholderLen;
        }
    }
    len = Append(result, len, pos, std::wcslen(pos));
    result[len] = 0;
    std::wmemcpy(g_ReplaceBuff, result, len + 1);
    return g_ReplaceBuff;
}

void EscapePercents(wchar_t* dest, size_t capacity, const wchar_t* text)
{
    size_t len = 0;
    for (; *text; ++text) {
        const size_t need = *text == L'%' ? 2 : 1;
        if (len + need > capacity - 1) break;
        dest[len++] = *text;
        if (need == 2) dest[len++] = L'%';
    }
    dest[len] = 0;
}
