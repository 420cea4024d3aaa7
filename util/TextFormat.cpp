#include "util/TextFormat.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>

#include "util/Utf8.h"

wchar_t g_FormatBuff[TEXT_CAPACITY];

namespace {

struct Directive {
    bool alternate = false;
    bool zero = false;
    bool int64 = false;
    int width = 0;
    int precision = -1;  // -1: none given
    wchar_t conversion = 0;
};

// Bounded output: counts what fits and silently drops the rest.
class Output {
public:
    Output(wchar_t* dest, size_t capacity)
        : m_Dest(dest), m_Capacity(capacity), m_Room(capacity ? capacity - 1 : 0) {}

    void Put(wchar_t unit)
    {
        if (m_Len < m_Room) m_Dest[m_Len++] = unit;
    }
    void PutAscii(const char* text, size_t n)
    {
        for (size_t i = 0; i < n; ++i) Put(static_cast<wchar_t>(static_cast<unsigned char>(text[i])));
    }
    int Finish()
    {
        if (m_Capacity > 0) m_Dest[m_Len] = 0;
        return static_cast<int>(m_Len);
    }

private:
    wchar_t* m_Dest;
    size_t m_Capacity;
    size_t m_Room;
    size_t m_Len = 0;
};

int ReadNumber(const wchar_t*& p)
{
    int value = 0;
    while (*p >= L'0' && *p <= L'9') {
        if (value < 100000) value = value * 10 + (*p - L'0');
        ++p;
    }
    return value;
}

// Parses flags, width, precision and length; leaves p on the conversion.
Directive ParseDirective(const wchar_t*& p)
{
    Directive directive;
    for (;; ++p) {
        if (*p == L'#') directive.alternate = true;
        else if (*p == L'0') directive.zero = true;
        else break;
    }
    directive.width = ReadNumber(p);
    if (*p == L'.') directive.precision = ReadNumber(++p);
    if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
        directive.int64 = true;
        p += 3;
    }
    directive.conversion = *p;
    return directive;
}

// Writes the sign, then zeros or blanks up to the field width, then the body.
void PutField(Output& out, const Directive& directive, const char* body, size_t len)
{
    const bool negative = len > 0 && body[0] == '-';
    int pad = directive.width > static_cast<int>(len) ? directive.width - static_cast<int>(len) : 0;
    for (; !directive.zero && pad > 0; --pad) out.Put(L' ');
    if (negative) out.Put(L'-');
    for (; pad > 0; --pad) out.Put(L'0');
    out.PutAscii(body + negative, len - negative);
}

// %d, and %X with its # form 0X.
void FormatInteger(Output& out, const Directive& directive, va_list& args)
{
    char digits[32];
    char* start = digits;
    std::to_chars_result result{};
    if (directive.conversion == L'd') {
        const long long value = directive.int64 ? va_arg(args, long long) : va_arg(args, int);
        result = std::to_chars(digits, digits + sizeof digits, value);
    } else {
        const unsigned long long value = directive.int64 ? va_arg(args, unsigned long long) : va_arg(args, unsigned);
        start = digits + 2;
        result = std::to_chars(start, digits + sizeof digits, value, 16);
        for (char* c = start; c < result.ptr; ++c) {
            if (*c >= 'a') *c = static_cast<char>(*c - 'a' + 'A');
        }
        if (directive.alternate && value != 0) {
            start = digits;
            std::memcpy(start, "0X", 2);
        }
    }
    PutField(out, directive, start, static_cast<size_t>(result.ptr - start));
}

// %f and %g in the C99 forms: a two-digit exponent (1e-16), inf, -inf, nan, -nan.
void FormatFloating(Output& out, const Directive& directive, va_list& args)
{
    const double value = va_arg(args, double);
    int precision = directive.precision < 0 ? 6 : directive.precision;
    if (precision > 700) precision = 700;  // keeps every result inside the buffer
    char body[1100];
    const std::to_chars_result result =
        directive.conversion == L'f'
            ? std::to_chars(body, body + sizeof body, value, std::chars_format::fixed, precision)
            : std::to_chars(body, body + sizeof body, value, std::chars_format::general, precision ? precision : 1);
    if (result.ec != std::errc()) return;
    PutField(out, directive, body, static_cast<size_t>(result.ptr - body));
}

// %s a wide text, %S a narrow (UTF-8) one.
void FormatString(Output& out, va_list& args, bool wide)
{
    std::wstring converted;
    const wchar_t* text;
    if (wide) {
        text = va_arg(args, const wchar_t*);
        if (!text) text = L"(null)";
    } else {
        const char* narrow = va_arg(args, const char*);
        converted = Utf8ToWide(narrow ? narrow : "(null)");
        text = converted.c_str();
    }
    for (; *text; ++text) out.Put(*text);
}

}  // namespace

int FormatTextV(wchar_t* dest, size_t capacity, const wchar_t* format, va_list args)
{
    Output out(dest, capacity);
    // A directive the formatter does not know would take no argument or the
    // wrong one, and every later directive would read the wrong argument.
    if (!FormatSupported(format)) return out.Finish();
    va_list ap;
    va_copy(ap, args);
    for (const wchar_t* p = format; *p; ++p) {
        if (*p != L'%') {
            out.Put(*p);
            continue;
        }
        ++p;
        const Directive directive = ParseDirective(p);
        switch (directive.conversion) {
        case L'd': case L'X': FormatInteger(out, directive, ap); break;
        case L'f': case L'g': FormatFloating(out, directive, ap); break;
        case L's': FormatString(out, ap, true); break;
        case L'S': FormatString(out, ap, false); break;
        default: out.Put(L'%'); break;
        }
    }
    va_end(ap);
    return out.Finish();
}

int FormatTextArgs(wchar_t* dest, size_t capacity, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const int count = FormatTextV(dest, capacity, format, args);
    va_end(args);
    return count;
}

wchar_t* SharedFormat(int* count, const wchar_t* format, va_list args)
{
    // Formatted aside first, so that an argument may live in g_FormatBuff.
    wchar_t text[TEXT_CAPACITY];
    const int written = FormatTextV(text, TEXT_CAPACITY, format, args);
    std::memcpy(g_FormatBuff, text, (static_cast<size_t>(written) + 1) * sizeof(wchar_t));
    if (count) *count = written;
    return g_FormatBuff;
}
