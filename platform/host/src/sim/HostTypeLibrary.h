// The host's type library, as its module carries it: the description of the application's events.
#pragma once

#include "oaidl.h"

#include <string>
#include <vector>

namespace sim
{
// The full path of the module that carries the library.
std::wstring HostTypeLibraryPath();
// The parameter types that the library declares for an event of the application's event
// interface, in declaration order; empty for an event it does not declare.
std::vector<VARTYPE> EventParameterTypes(DISPID id);
} // namespace sim
