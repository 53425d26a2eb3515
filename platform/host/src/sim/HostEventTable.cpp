#include "HostEventTable.h"

namespace sim
{
const std::vector<HostEventDescription>& HostEvents()
{
    static const std::vector<HostEventDescription> events = {
        {4, L"HostEvent4", {VT_BSTR}},
        {5, L"HostEvent5", {}},
        {7, L"HostEvent7", {VT_I4}},
        {11, L"HostEvent11", {VT_I4}},
        {12, L"HostEvent12", {VT_BSTR, VT_I4}},
    };
    return events;
}

const HostEventDescription* FindHostEvent(DISPID id)
{
    for (const HostEventDescription& event : HostEvents())
        if (event.id == id)
            return &event;
    return nullptr;
}
} // namespace sim
