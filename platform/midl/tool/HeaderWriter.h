// The C++ header that the interface compiler makes from a type library's source: the library,
// interface and class identifiers, and each interface as an abstract class in slot order.
#pragma once

#include "idl/TypeLibrarySource.h"

#include <string>

namespace idl
{
std::string InterfaceHeader(const Library& library, const std::string& sourceName);
} // namespace idl
