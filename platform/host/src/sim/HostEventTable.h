// The events of the application's event interface as the host's type library declares them.
#pragma once

#include "oaidl.h"

#include <vector>

namespace sim
{
struct HostEventDescription
{
    DISPID id;
    const wchar_t* name;
    std::vector<VARTYPE> parameters; // in declaration order
};

const std::vector<HostEventDescription>& HostEvents();
// The event with that dispatch identifier, or null.
const HostEventDescription* FindHostEvent(DISPID id);
} // namespace sim
