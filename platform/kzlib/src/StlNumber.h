// Numbers of ASCII STL files, read the same way whatever the process locale.
#pragma once

namespace kzstl
{
enum class NumberSyntax
{
    Valid,
    DecimalComma,
    Invalid,
};

// Reads the token [first, last) as one float in any form strtod accepts in the C locale (sign,
// decimal or 0x hexadecimal digits, any exponent, inf, infinity, nan, nan(...)), correctly
// rounded. The spellings a Windows C library prints for non-finite values (1.#QNAN, -1.#IND,
// 1.#INF) count as NaN or infinity. Out-of-range values become infinity or zero, as strtod's do.
NumberSyntax ParseNumber(const char* first, const char* last, float& value);
} // namespace kzstl
