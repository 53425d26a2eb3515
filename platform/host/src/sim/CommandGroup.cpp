// A command group: its images, read while the call runs, its items, and the host's own operations.
#include "Call.h"
#include "CommandFacets.h"
#include "ImageFileReader.h"

namespace sim
{
HRESULT CommandGroupFacet::SetImage(Call& call, BSTR path, ImageFile CommandGroup::*image)
{
    call.String(path);
    if (call.Failed())
        return call.Done();
    (*m_group).*image = ReadImageFile(path);
    return call.Done(S_OK);
}

HRESULT CommandGroupFacet::SetLargeIcon(BSTR path)
{
    SIM_CALL(call, "SetLargeIcon");
    return SetImage(call, path, &CommandGroup::largeIcon);
}

HRESULT CommandGroupFacet::SetSmallIcon(BSTR path)
{
    SIM_CALL(call, "SetSmallIcon");
    return SetImage(call, path, &CommandGroup::smallIcon);
}

HRESULT CommandGroupFacet::SetLargeImageStrip(BSTR path)
{
    SIM_CALL(call, "SetLargeImageStrip");
    return SetImage(call, path, &CommandGroup::largeImageStrip);
}

HRESULT CommandGroupFacet::SetSmallImageStrip(BSTR path)
{
    SIM_CALL(call, "SetSmallImageStrip");
    return SetImage(call, path, &CommandGroup::smallImageStrip);
}

HRESULT CommandGroupFacet::AddCommandItem(BSTR name, LONG position, BSTR hint, BSTR tooltip, LONG imageIndex,
                                          BSTR callback, BSTR enableCallback, LONG userId, LONG options,
                                          LONG* index)
{
    SIM_CALL(call, "AddCommandItem");
    call.String(name).Arg(long(position)).String(hint).String(tooltip).Arg(long(imageIndex)).String(callback);
    call.String(enableCallback).Arg(long(userId)).Arg(long(options));
    if (call.Failed())
        return call.Done();
    auto text = [](BSTR s) { return s ? std::wstring(s) : std::wstring(); };
    CommandItem item{text(name), position, text(hint), text(tooltip), imageIndex, text(callback),
                     text(enableCallback), userId, options, ++m_host.model.userInterface.commandsMade};
    m_group->items.push_back(std::move(item));
    *index = LONG(m_group->items.size()) - 1;
    call.OutValue(long(*index));
    return call.Done(S_OK);
}

HRESULT CommandGroupFacet::GetCommandId(LONG index, LONG* id)
{
    SIM_CALL(call, "GetCommandId");
    call.Arg(long(index));
    if (call.Failed())
        return call.Done();
    if (index < 0 || size_t(index) >= m_group->items.size())
        return call.Done(E_INVALIDARG);
    *id = m_group->items[size_t(index)].commandId;
    call.OutValue(long(*id));
    return call.Done(S_OK);
}

HRESULT CommandGroupFacet::SetOption(Call& call, LONG value, std::vector<LONG> CommandGroup::*values)
{
    call.Arg(long(value));
    if (call.Failed())
        return call.Done();
    ((*m_group).*values).push_back(value);
    return call.Done(S_OK);
}

HRESULT CommandGroupFacet::SetOptionA(LONG value)
{
    SIM_CALL(call, "SetOptionA");
    return SetOption(call, value, &CommandGroup::optionA);
}

HRESULT CommandGroupFacet::SetOptionB(LONG value)
{
    SIM_CALL(call, "SetOptionB");
    return SetOption(call, value, &CommandGroup::optionB);
}

HRESULT CommandGroupFacet::SetOptionC(LONG value)
{
    SIM_CALL(call, "SetOptionC");
    return SetOption(call, value, &CommandGroup::optionC);
}

HRESULT CommandGroupFacet::Activate(VARIANT_BOOL* done)
{
    SIM_CALL(call, "Activate");
    if (call.Failed())
        return call.Done();
    m_group->activated = true;
    *done = VARIANT_TRUE;
    call.OutValue(long(*done));
    return call.Done(S_OK);
}
} // namespace sim
