#include "engine/TextRoutines.h"

#include <cwchar>

size_t StrLen(const wchar_t* text)
{
    return std::wcslen(text);
}

wchar_t* StrCopy(wchar_t* dest, const wchar_t* source)
{
    return std::wcscpy(dest, source);
}

wchar_t* StrCopyN(wchar_t* dest, const wchar_t* source, size_t n)
{
    size_t i = 0;
    for (; i < n && source[i]; ++i) dest[i] = source[i];
    dest[i] = 0;
    return dest;
}

wchar_t* StrCat(wchar_t* dest, const wchar_t* source)
{
    return std::wcscat(dest, source);
}

wchar_t* StrFill(wchar_t* dest, wchar_t unit, size_t n)
{
    for (size_t i = 0; i < n; ++i) dest[i] = unit;
    dest[n] = 0;
    return dest;
}

const wchar_t* StrFind(const wchar_t* text, const wchar_t* sought)
{
    return std::wcsstr(text, sought);
}
