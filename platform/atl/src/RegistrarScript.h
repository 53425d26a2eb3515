// The registration script language: replacements over the raw text, then root blocks of keys and
// values, each written (registration) or taken away again (unregistration).
#pragma once

#include "windows.h"

#include <string>
#include <utility>
#include <vector>

namespace ATL::registrar
{
typedef std::vector<std::pair<std::wstring, std::wstring>> Replacements;

// "%%" becomes "%", "%NAME%" the value of NAME (compared without regard to case). An unclosed "%"
// or an unknown name gives DISP_E_EXCEPTION, a name longer than 31 characters E_FAIL.
HRESULT Replace(const std::wstring& text, const Replacements& replacements, std::wstring& result);

// Runs the replaced script. A root block whose registration fails is unregistered again and its
// failure returned; blocks done before it stay. Syntax errors give DISP_E_EXCEPTION.
HRESULT Run(const std::wstring& script, bool bRegister);
} // namespace ATL::registrar
