#include "util/TextFormat.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>
#include <system_error>

#include "util/Utf8.h"

wchar_t g_FormatBuff[TEXT_CAPACITY];

namespace {

enum class Length { None, Char, Short, Long, LongLong, Size, IntMax, Ptrdiff, LongDouble, Int32, Int64, Wide };

struct Directive {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    bool zero = false;
    int width = 0;
    int precision = -1;  // -1: none given
    Length length = Length::None;
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
    void Repeat(wchar_t unit, int n)
    {
        for (int i = 0; i < n; ++i) Put(unit);
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
Directive ParseDirective(const wchar_t*& p, va_list& args)
{
    Directive directive;
    for (;; ++p) {
        if (*p == L'-') directive.left = true;
        else if (*p == L'+') directive.plus = true;
        else if (*p == L' ') directive.space = true;
        else if (*p == L'#') directive.alternate = true;
        else if (*p == L'0') directive.zero = true;
        else break;
    }
    if (*p == L'*') {
        directive.width = va_arg(args, int);
        if (directive.width < 0) {
            directive.left = true;
            directive.width = directive.width == INT32_MIN ? 0 : -directive.width;
        }
        ++p;
    } else {
        directive.width = ReadNumber(p);
    }
    if (*p == L'.') {
        ++p;
        if (*p == L'*') {
            directive.precision = va_arg(args, int);
            if (directive.precision < 0) directive.precision = -1;
            ++p;
        } else {
            directive.precision = ReadNumber(p);
        }
    }
    switch (*p) {
    case L'h':
        directive.length = p[1] == L'h' ? Length::Char : Length::Short;
        p += p[1] == L'h' ? 2 : 1;
        break;
    case L'l':
        directive.length = p[1] == L'l' ? Length::LongLong : Length::Long;
        p += p[1] == L'l' ? 2 : 1;
        break;
    case L'L': directive.length = Length::LongDouble; ++p; break;
    case L'z': directive.length = Length::Size; ++p; break;
    case L'j': directive.length = Length::IntMax; ++p; break;
    case L't': directive.length = Length::Ptrdiff; ++p; break;
    case L'w': directive.length = Length::Wide; ++p; break;
    case L'I':
        if (p[1] == L'6' && p[2] == L'4') { directive.length = Length::Int64; p += 3; }
        else if (p[1] == L'3' && p[2] == L'2') { directive.length = Length::Int32; p += 3; }
        else { directive.length = Length::Size; ++p; }
        break;
    default: break;
    }
    directive.conversion = *p;
    return directive;
}

// Writes prefix, zeros and body within the field width.
void PutField(Output& out, const Directive& directive, const char* prefix, int zeros, const char* body,
              size_t bodyLen, bool zeroPad)
{
    const size_t prefixLen = std::strlen(prefix);
    const long long used = static_cast<long long>(prefixLen + bodyLen) + zeros;
    int pad = directive.width > used ? static_cast<int>(directive.width - used) : 0;
    if (zeroPad && !directive.left) {
        zeros += pad;
        pad = 0;
    }
    if (!directive.left) out.Repeat(L' ', pad);
    out.PutAscii(prefix, prefixLen);
    out.Repeat(L'0', zeros);
    out.PutAscii(body, bodyLen);
    if (directive.left) out.Repeat(L' ', pad);
}

long long FetchSigned(const Directive& directive, va_list& args)
{
    switch (directive.length) {
    case Length::Char: return static_cast<signed char>(va_arg(args, int));
    case Length::Short: return static_cast<short>(va_arg(args, int));
    case Length::Long: return va_arg(args, long);
    case Length::LongLong:
    case Length::Int64: return va_arg(args, long long);
    case Length::IntMax: return va_arg(args, intmax_t);
    case Length::Size:
    case Length::Ptrdiff: return va_arg(args, ptrdiff_t);
    default: return va_arg(args, int);
    }
}

unsigned long long FetchUnsigned(const Directive& directive, va_list& args)
{
    switch (directive.length) {
    case Length::Char: return static_cast<unsigned char>(va_arg(args, unsigned));
    case Length::Short: return static_cast<unsigned short>(va_arg(args, unsigned));
    case Length::Long: return va_arg(args, unsigned long);
    case Length::LongLong:
    case Length::Int64: return va_arg(args, unsigned long long);
    case Length::IntMax: return va_arg(args, uintmax_t);
    case Length::Size:
    case Length::Ptrdiff: return va_arg(args, size_t);
    default: return va_arg(args, unsigned);
    }
}

void FormatInteger(Output& out, const Directive& directive, va_list& args)
{
    const wchar_t conv = directive.conversion;
    const bool isSigned = conv == L'd' || conv == L'i';
    unsigned long long magnitude;
    const char* sign = "";
    if (isSigned) {
        const long long value = FetchSigned(directive, args);
        magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
        sign = value < 0 ? "-" : directive.plus ? "+" : directive.space ? " " : "";
    } else {
        magnitude = FetchUnsigned(directive, args);
    }

    const int base = conv == L'o' ? 8 : (conv == L'x' || conv == L'X') ? 16 : 10;
    char digits[32];
    size_t len = 0;
    if (magnitude != 0 || directive.precision != 0) {
        len = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, magnitude, base).ptr - digits);
    }
    if (conv == L'X') {
        for (size_t i = 0; i < len; ++i) {
            if (digits[i] >= 'a') digits[i] = static_cast<char>(digits[i] - 'a' + 'A');
        }
    }

    const char* prefix = sign;
    int zeros = directive.precision > static_cast<int>(len) ? directive.precision - static_cast<int>(len) : 0;
    if (directive.alternate && magnitude != 0 && base == 16) prefix = conv == L'X' ? "0X" : "0x";
    if (directive.alternate && base == 8 && zeros == 0 && (len == 0 || digits[0] != '0')) zeros = 1;
    PutField(out, directive, prefix, zeros, digits, len, directive.zero && directive.precision < 0);
}

// %#g: the %e or %f form that %g chooses (%e when the exponent is below -4
// or not below the precision), without removing the trailing zeros.
std::to_chars_result GeneralKeepingZeros(char* body, size_t capacity, double value, int precision)
{
    const std::to_chars_result probe =
        std::to_chars(body, body + capacity, value, std::chars_format::scientific, precision - 1);
    if (probe.ec != std::errc()) return probe;
    const char* e = std::find(body, probe.ptr, 'e');
    int exponent = 0;
    for (const char* digit = e + 2; digit < probe.ptr; ++digit) exponent = exponent * 10 + (*digit - '0');
    if (e[1] == '-') exponent = -exponent;
    if (exponent < -4 || exponent >= precision) return probe;
    return std::to_chars(body, body + capacity, value, std::chars_format::fixed, precision - 1 - exponent);
}

// The # flag keeps the decimal point even with no digit after it (%#.0f of 1
// is "1.", %#.0e "1.e+00", %#a of 1 "1.p+0"): inserted before the exponent.
size_t KeepDecimalPoint(char* body, size_t len, size_t capacity)
{
    char* end = body + len;
    if (std::find(body, end, '.') != end || len + 1 > capacity) return len;
    char* exponent = std::find_if(body, end, [](char c) { return c == 'e' || c == 'p'; });
    std::memmove(exponent + 1, exponent, static_cast<size_t>(end - exponent));
    *exponent = '.';
    return len + 1;
}

void FormatFloating(Output& out, const Directive& directive, va_list& args)
{
    const double value = directive.length == Length::LongDouble
                             ? static_cast<double>(va_arg(args, long double))
                             : va_arg(args, double);
    const wchar_t conv = directive.conversion;
    const wchar_t lower = conv | 0x20;
    int precision = directive.precision < 0 ? 6 : directive.precision;
    if (precision > 700) precision = 700;  // keeps every result inside the buffer
    const bool finite = value - value == 0;

    char body[1100];
    std::to_chars_result result{};
    switch (lower) {
    case L'f': result = std::to_chars(body, body + sizeof body, value, std::chars_format::fixed, precision); break;
    case L'e': result = std::to_chars(body, body + sizeof body, value, std::chars_format::scientific, precision); break;
    case L'a':
        result = directive.precision < 0 ? std::to_chars(body, body + sizeof body, value, std::chars_format::hex)
                                    : std::to_chars(body, body + sizeof body, value, std::chars_format::hex, precision);
        break;
    default:
        result = directive.alternate && finite ? GeneralKeepingZeros(body, sizeof body, value, precision ? precision : 1)
                                               : std::to_chars(body, body + sizeof body, value,
                                                               std::chars_format::general, precision ? precision : 1);
        break;
    }
    if (result.ec != std::errc()) return;
    char* text = body;
    size_t len = static_cast<size_t>(result.ptr - body);
    if (directive.alternate && finite) len = KeepDecimalPoint(body, len, sizeof body);
    if (conv != lower) {
        for (size_t i = 0; i < len; ++i) {
            if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
        }
    }

    std::string prefix;
    if (text[0] == '-') {
        prefix = "-";
        ++text;
        --len;
    } else if (directive.plus) {
        prefix = "+";
    } else if (directive.space) {
        prefix = " ";
    }
    if (lower == L'a') prefix += conv == L'A' ? "0X" : "0x";
    PutField(out, directive, prefix.c_str(), 0, text, len, directive.zero && finite);
}

void FormatString(Output& out, const Directive& directive, va_list& args, bool wide)
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
    size_t len = 0;
    while (text[len] && (directive.precision < 0 || len < static_cast<size_t>(directive.precision))) ++len;
    const int pad = directive.width > static_cast<long long>(len) ? directive.width - static_cast<int>(len) : 0;
    if (!directive.left) out.Repeat(L' ', pad);
    for (size_t i = 0; i < len; ++i) out.Put(text[i]);
    if (directive.left) out.Repeat(L' ', pad);
}

void FormatCharacter(Output& out, const Directive& directive, va_list& args, bool wide)
{
    const int value = va_arg(args, int);
    const int pad = directive.width > 1 ? directive.width - 1 : 0;
    if (!directive.left) out.Repeat(L' ', pad);
    out.Put(wide ? static_cast<wchar_t>(value) : static_cast<wchar_t>(static_cast<unsigned char>(value)));
    if (directive.left) out.Repeat(L' ', pad);
}

void FormatPointer(Output& out, const Directive& directive, va_list& args)
{
    const auto value = reinterpret_cast<uintptr_t>(va_arg(args, void*));
    char digits[2 * sizeof(uintptr_t)];
    for (size_t i = 0; i < sizeof digits; ++i) {
        digits[sizeof digits - 1 - i] = "0123456789ABCDEF"[(value >> (4 * i)) & 0xF];
    }
    PutField(out, directive, "", 0, digits, sizeof digits, false);
}

bool WideByDefault(const Directive& directive, bool lowerCase)
{
    if (directive.length == Length::Long || directive.length == Length::Wide) return true;
    if (directive.length == Length::Short) return false;
    return lowerCase;
}

}  // namespace

int FormatTextV(wchar_t* dest, size_t capacity, const wchar_t* format, va_list args)
{
    Output out(dest, capacity);
    va_list ap;
    va_copy(ap, args);
    for (const wchar_t* p = format; *p; ++p) {
        if (*p != L'%') {
            out.Put(*p);
            continue;
        }
        const wchar_t* start = p++;
        const Directive directive = ParseDirective(p, ap);
        switch (directive.conversion) {
        case L'd': case L'i': case L'u': case L'o': case L'x': case L'X':
            FormatInteger(out, directive, ap);
            break;
        case L'f': case L'F': case L'e': case L'E': case L'g': case L'G': case L'a': case L'A':
            FormatFloating(out, directive, ap);
            break;
        case L's': FormatString(out, directive, ap, WideByDefault(directive, true)); break;
        case L'S': FormatString(out, directive, ap, WideByDefault(directive, false)); break;
        case L'c': FormatCharacter(out, directive, ap, WideByDefault(directive, true)); break;
        case L'C': FormatCharacter(out, directive, ap, WideByDefault(directive, false)); break;
        case L'p': FormatPointer(out, directive, ap); break;
        case L'n': (void)va_arg(ap, void*); break;
        case L'%': out.Put(L'%'); break;
        default:
            // Not a conversion: copy it as it stands.
            for (const wchar_t* q = start; q < p; ++q) out.Put(*q);
            if (!*p) --p;
            else out.Put(*p);
            break;
        }
    }
    va_end(ap);
    return out.Finish();
}

int FormatText(wchar_t* dest, size_t capacity, const wchar_t* format, ...)
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
