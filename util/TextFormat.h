#pragma once
#include <cstdarg>
#include <cstddef>
#include <type_traits>

// Units of every text the program passes around: 1023 characters and the
// terminating zero.
constexpr int TEXT_CAPACITY = 1024;

// What one directive of a format takes from the arguments.
enum class FormatArg {
    NONE,     // %%: nothing
    INT32,    // %d, %X
    INT64,    // %I64d, %I64X
    DOUBLE,   // %f, %g
    WIDE,     // %s
    NARROW,   // %S
    INVALID,  // a directive or flag the formatter does not implement
};

// The directives the formatter implements, and nothing else:
//   %s a wide text, %S a narrow (UTF-8) one: no flags, width or precision;
//   %d with the flag 0 and a width; %X with the flags # (0X before it) and 0
//   and a width; both with the length I64;
//   %f and %g with the flag 0, a width and a precision, in the C99 forms
//   everywhere (a two-digit exponent as in 1e-16, inf, -inf, nan, -nan);
//   %% a percent sign.
// Reads the directive after the '%' at p and leaves p behind it (on the
// terminator when the format ends inside it).
constexpr FormatArg NextFormatArg(const wchar_t*& p)
{
    bool alternate = false;
    bool zero = false;
    for (;; ++p) {
        if (*p == L'#') alternate = true;
        else if (*p == L'0') zero = true;
        else break;
    }
    bool width = false;
    for (; *p >= L'0' && *p <= L'9'; ++p) width = true;
    bool precision = false;
    if (*p == L'.') {
        precision = true;
        for (++p; *p >= L'0' && *p <= L'9'; ++p) {}
    }
    bool int64 = false;
    if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
        int64 = true;
        p += 3;
    }
    const wchar_t conversion = *p;
    if (conversion) ++p;
    const bool plain = !alternate && !zero && !width && !precision && !int64;
    switch (conversion) {
    case L'%': return plain ? FormatArg::NONE : FormatArg::INVALID;
    case L's': return plain ? FormatArg::WIDE : FormatArg::INVALID;
    case L'S': return plain ? FormatArg::NARROW : FormatArg::INVALID;
    case L'd':
        if (alternate || precision) return FormatArg::INVALID;
        return int64 ? FormatArg::INT64 : FormatArg::INT32;
    case L'X':
        if (precision) return FormatArg::INVALID;
        return int64 ? FormatArg::INT64 : FormatArg::INT32;
    case L'f':
    case L'g': return alternate || int64 ? FormatArg::INVALID : FormatArg::DOUBLE;
    default: return FormatArg::INVALID;
    }
}

// Whether every directive of the format is one the formatter implements.
constexpr bool FormatSupported(const wchar_t* format)
{
    for (const wchar_t* p = format; *p;) {
        if (*p++ != L'%') continue;
        if (NextFormatArg(p) == FormatArg::INVALID) return false;
    }
    return true;
}

// What a C variadic call passes for an argument of type T.
template <typename T>
constexpr FormatArg ArgumentKind()
{
    using U = std::remove_cv_t<T>;
    if constexpr (std::is_pointer_v<U>) {
        using Pointee = std::remove_cv_t<std::remove_pointer_t<U>>;
        if constexpr (std::is_same_v<Pointee, wchar_t>) return FormatArg::WIDE;
        else if constexpr (std::is_same_v<Pointee, char>) return FormatArg::NARROW;
        else return FormatArg::INVALID;
    } else if constexpr (std::is_floating_point_v<U> && sizeof(U) <= sizeof(double)) {
        return FormatArg::DOUBLE;
    } else if constexpr (std::is_integral_v<U> || std::is_enum_v<U>) {
        return sizeof(U) <= 4 ? FormatArg::INT32 : sizeof(U) == 8 ? FormatArg::INT64 : FormatArg::INVALID;
    } else {
        return FormatArg::INVALID;
    }
}

// Named in the compiler's message when a format does not fit: only reached
// at compile time, where calling it is the error.
void FormatDirectiveNotImplemented();
void FormatArgumentsDoNotMatch();

// A format checked against the directives the formatter implements and
// against the arguments that come with it: at compile time for a literal,
// at run time (FormatTextV) for a text only known then.
template <typename... Args>
class CheckedFormat {
public:
    template <size_t N>
    consteval CheckedFormat(const wchar_t (&format)[N]) : m_Text(format)
    {
        constexpr FormatArg kinds[] = {ArgumentKind<Args>()..., FormatArg::NONE};
        size_t used = 0;
        for (const wchar_t* p = format; *p;) {
            if (*p++ != L'%') continue;
            const FormatArg kind = NextFormatArg(p);
            if (kind == FormatArg::INVALID) FormatDirectiveNotImplemented();
            if (kind == FormatArg::NONE) continue;
            if (used == sizeof...(Args) || kinds[used] != kind) FormatArgumentsDoNotMatch();
            ++used;
        }
        if (used != sizeof...(Args)) FormatArgumentsDoNotMatch();
    }
    // A format held in a variable: checked when it is used.
    template <typename Text>
        requires std::is_convertible_v<Text, const wchar_t*>
    CheckedFormat(Text format) : m_Text(format) {}

    const wchar_t* Text() const { return m_Text; }

private:
    const wchar_t* m_Text;
};

// Formats into dest: at most capacity - 1 units, then a terminator; a longer
// text is cut. A format with a directive or flag outside those above gives
// an empty text and 0, and reads no argument. Returns the number of units
// written.
int FormatTextV(wchar_t* dest, size_t capacity, const wchar_t* format, va_list args);
int FormatTextArgs(wchar_t* dest, size_t capacity, const wchar_t* format, ...);

template <typename... Args>
int FormatText(wchar_t* dest, size_t capacity, CheckedFormat<std::type_identity_t<Args>...> format, Args... args)
{
    return FormatTextArgs(dest, capacity, format.Text(), args...);
}

// The text most recently formatted by SharedFormat; valid until the next call.
extern wchar_t g_FormatBuff[TEXT_CAPACITY];

// Formats into g_FormatBuff, stores the number of units written into *count
// (when count is not null) and returns g_FormatBuff. An argument may itself
// point into g_FormatBuff.
wchar_t* SharedFormat(int* count, const wchar_t* format, va_list args);
