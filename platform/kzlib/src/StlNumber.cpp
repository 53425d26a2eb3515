// Locale-free, correctly rounded number reading for ASCII STL (std::from_chars does the rounding).
#include "StlNumber.h"

#include <charconv>
#include <limits>
#include <string_view>
#include <system_error>

namespace kzstl
{
namespace
{
bool IsDigit(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return true;
    return hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
}

char ToUpper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// from_chars leaves the value alone when it is out of range; strtod gives infinity for a
// magnitude that is too large and zero for one too small. Which one it is follows from the
// position of the first significant digit and the exponent, in units of the exponent's base.
float OutOfRangeMagnitude(const char* p, const char* end, bool hex)
{
    const long digitWeight = hex ? 4 : 1;
    long intDigits = 0;
    long leadingFractionZeros = 0;
    bool significant = false;
    for (; p != end && IsDigit(*p, hex); ++p)
        if (significant || *p != '0')
            significant = true, ++intDigits;
    if (p != end && *p == '.')
    {
        for (++p; p != end && IsDigit(*p, hex) && !significant; ++p)
        {
            if (*p == '0')
                ++leadingFractionZeros;
            else
                significant = true;
        }
    }
    while (p != end && IsDigit(*p, hex))
        ++p;
    long exponent = 0;
    if (p != end && (*p == 'e' || *p == 'E' || *p == 'p' || *p == 'P'))
    {
        ++p;
        const bool negative = p != end && *p == '-';
        if (p != end && (*p == '-' || *p == '+'))
            ++p;
        for (; p != end && *p >= '0' && *p <= '9'; ++p)
            if (exponent < 100000000)
                exponent = exponent * 10 + (*p - '0');
        if (negative)
            exponent = -exponent;
    }
    const long order = intDigits > 0 ? digitWeight * (intDigits - 1) + exponent
                                     : exponent - digitWeight * (leadingFractionZeros + 1);
    return order >= 0 ? std::numeric_limits<float>::infinity() : 0.0f;
}

// The suffix after "1." in 1.#QNAN, 1.#SNAN, -1.#IND, 1.#INF, with the digits, exponent or padding
// that the format added ("1.#INF00", "1.#QNAN0e+000").
bool ReadWindowsNonFinite(const char* p, const char* last, float& magnitude)
{
    if (p == last || *p != '#')
        return false;
    ++p;
    std::string_view rest(p, size_t(last - p));
    auto startsWith = [&](std::string_view word)
    {
        if (rest.size() < word.size())
            return false;
        for (size_t i = 0; i < word.size(); ++i)
            if (ToUpper(rest[i]) != word[i])
                return false;
        rest.remove_prefix(word.size());
        return true;
    };
    if (startsWith("INF"))
        magnitude = std::numeric_limits<float>::infinity();
    else if (startsWith("QNAN") || startsWith("SNAN") || startsWith("IND"))
        magnitude = std::numeric_limits<float>::quiet_NaN();
    else
        return false;
    for (char c : rest)
        if (!((c >= '0' && c <= '9') || c == 'e' || c == 'E' || c == '+' || c == '-'))
            return false;
    return true;
}

NumberSyntax Rejected(const char* first, const char* last)
{
    for (const char* p = first; p != last; ++p)
        if (*p == ',')
            return NumberSyntax::DecimalComma;
    return NumberSyntax::Invalid;
}
} // namespace

NumberSyntax ParseNumber(const char* first, const char* last, float& value)
{
    const char* p = first;
    const bool negative = p != last && *p == '-';
    if (p != last && (*p == '-' || *p == '+'))
        ++p;
    std::chars_format format = std::chars_format::general;
    if (last - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))
    {
        format = std::chars_format::hex;
        p += 2;
    }
    // from_chars takes a minus sign of its own; the sign has been read already.
    if (p == last || *p == '-' || *p == '+')
        return Rejected(first, last);

    float magnitude = 0.0f;
    auto [end, error] = std::from_chars(p, last, magnitude, format);
    if (error == std::errc::result_out_of_range)
        magnitude = OutOfRangeMagnitude(p, end, format == std::chars_format::hex);
    else if (error != std::errc())
        return Rejected(first, last);
    if (end != last && !ReadWindowsNonFinite(end, last, magnitude))
        return Rejected(first, last);
    value = negative ? -magnitude : magnitude;
    return NumberSyntax::Valid;
}
} // namespace kzstl
