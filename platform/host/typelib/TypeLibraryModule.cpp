// The module that carries the simulated host's type library, as the real host ships its own.
#include "platform_modules.h"

namespace sim
{
HMODULE HostTypeLibraryModule()
{
    static const int here = 0;
    return platform::ModuleFromAddress(&here);
}
} // namespace sim
