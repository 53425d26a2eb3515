// The C++ source that links a module's resources into it and registers them when it is loaded.
#pragma once

#include "Resource.h"

#include <string>
#include <vector>

namespace rc
{
std::string ResourceSource(const std::vector<Resource>& resources, const std::string& scriptName);
} // namespace rc
