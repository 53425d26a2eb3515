// The constants that the platform's headers give resource scripts (window, dialog and control
// styles, dialog ids, languages).
#pragma once

#include <string>

namespace rc
{
bool FindBuiltinSymbol(const std::string& name, long long& value);
} // namespace rc
