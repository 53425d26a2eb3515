// The command manager: command groups by identifier, and command tabs by document type and title.
#include "Call.h"
#include "CommandFacets.h"
#include "Facets.h"

#include <algorithm>

namespace sim
{
namespace
{
std::wstring Text(BSTR text)
{
    return text ? std::wstring(text) : std::wstring();
}

FacetCore* TabInterface(HostState& host, const std::shared_ptr<CommandTab>& tab)
{
    return EntityFacet<CommandTabFacet>(host, "tab" + std::to_string(tab->number), tab);
}
} // namespace

CommandGroup* UserInterface::FindGroup(LONG id) const
{
    for (const auto& group : groups)
        if (group->id == id)
            return group.get();
    return nullptr;
}

const CommandItem* UserInterface::FindItem(const std::wstring& name) const
{
    for (const auto& group : groups)
        for (const CommandItem& item : group->items)
            if (item.name == name)
                return &item;
    return nullptr;
}

HRESULT ApplicationFacet::GetCommandManager(LONG cookie, ICommandManager** manager)
{
    SIM_CALL(call, "GetCommandManager");
    call.Arg(long(cookie));
    *manager = nullptr;
    if (call.Failed())
        return call.Done();
    call.OutObject(manager, EntityFacet<CommandManagerFacet>(m_host, "cmdmgr1"));
    return call.Done(S_OK);
}

HRESULT CommandManagerFacet::CreateCommandGroup(LONG id, BSTR title, BSTR tooltip, BSTR hint, LONG position,
                                                ICommandGroup** group)
{
    SIM_CALL(call, "CreateCommandGroup");
    call.Arg(long(id)).String(title).String(tooltip).String(hint).Arg(long(position));
    *group = nullptr;
    if (call.Failed())
        return call.Done();
    UserInterface& ui = m_host.model.userInterface;
    if (ui.FindGroup(id)) // one group per identifier
    {
        call.OutRaw("null");
        return call.Done(E_INVALIDARG);
    }
    if (call.WithoutObject())
    {
        call.OutRaw("null");
        return call.Done(S_OK);
    }
    auto made = std::make_shared<CommandGroup>();
    made->number = ++ui.groupsMade;
    made->id = id;
    made->title = Text(title);
    made->tooltip = Text(tooltip);
    made->hint = Text(hint);
    made->position = position;
    ui.groups.push_back(made);
    call.OutObject(group, new CommandGroupFacet(m_host, "group" + std::to_string(made->number), made));
    return call.Done(S_OK);
}

HRESULT CommandManagerFacet::RemoveCommandGroup(LONG id, VARIANT_BOOL* done)
{
    SIM_CALL(call, "RemoveCommandGroup");
    call.Arg(long(id));
    if (call.Failed())
        return call.Done();
    auto& groups = m_host.model.userInterface.groups;
    const auto it = std::find_if(groups.begin(), groups.end(), [id](const auto& group) { return group->id == id; });
    const bool found = it != groups.end();
    if (found)
        groups.erase(it);
    *done = found ? VARIANT_TRUE : VARIANT_FALSE;
    call.OutValue(long(*done));
    return call.Done(S_OK);
}

HRESULT CommandManagerFacet::FindCommandTab(LONG documentType, BSTR title, ICommandTab** tab)
{
    SIM_CALL(call, "FindCommandTab");
    call.Arg(long(documentType)).String(title);
    *tab = nullptr;
    if (call.Failed())
        return call.Done();
    // No tab found is a success without an object.
    for (const auto& existing : m_host.model.userInterface.tabs)
        if (existing->documentType == documentType && existing->title == Text(title))
        {
            call.OutObject(tab, TabInterface(m_host, existing));
            return call.Done(S_OK);
        }
    call.OutRaw("null");
    return call.Done(S_OK);
}

HRESULT CommandManagerFacet::AddCommandTab(LONG documentType, BSTR title, ICommandTab** tab)
{
    SIM_CALL(call, "AddCommandTab");
    call.Arg(long(documentType)).String(title);
    *tab = nullptr;
    if (call.Failed())
        return call.Done();
    if (call.WithoutObject())
    {
        call.OutRaw("null");
        return call.Done(S_OK);
    }
    UserInterface& ui = m_host.model.userInterface;
    auto made = std::make_shared<CommandTab>();
    made->number = ++ui.tabsMade;
    made->documentType = documentType;
    made->title = Text(title);
    ui.tabs.push_back(made);
    call.OutObject(tab, TabInterface(m_host, made));
    return call.Done(S_OK);
}

HRESULT CommandManagerFacet::QueryDocumentType(LONG documentType, LONG* result)
{
    SIM_CALL(call, "QueryDocumentType");
    call.Arg(long(documentType));
    if (call.Failed())
        return call.Done();
    // The host answers how many tabs the document type has.
    const auto& tabs = m_host.model.userInterface.tabs;
    *result = LONG(std::count_if(tabs.begin(), tabs.end(),
                                 [documentType](const auto& tab) { return tab->documentType == documentType; }));
    call.OutValue(long(*result));
    return call.Done(S_OK);
}

HRESULT CommandTabFacet::AddTabBox(ICommandTabBox** box)
{
    SIM_CALL(call, "AddTabBox");
    *box = nullptr;
    if (call.Failed())
        return call.Done();
    if (call.WithoutObject())
    {
        call.OutRaw("null");
        return call.Done(S_OK);
    }
    m_tab->boxes.emplace_back();
    call.OutObject(box, new CommandTabBoxFacet(m_host, m_host.NextName("tabbox"), m_tab, m_tab->boxes.size() - 1));
    return call.Done(S_OK);
}

HRESULT CommandTabBoxFacet::AddCommands(LONG count, const LONG* ids, const LONG* textStyles, VARIANT_BOOL* done)
{
    SIM_CALL(call, "AddCommands");
    call.Arg(long(count)).Longs(ids, count).Longs(textStyles, count);
    if (call.Failed())
        return call.Done();
    if (count < 0 || (count > 0 && (!ids || !textStyles)))
        return call.Done(E_INVALIDARG);
    CommandTabBox& box = m_tab->boxes[m_box];
    box.commandIds.insert(box.commandIds.end(), ids, ids + count);
    box.textStyles.insert(box.textStyles.end(), textStyles, textStyles + count);
    *done = VARIANT_TRUE;
    call.OutValue(long(*done));
    return call.Done(S_OK);
}
} // namespace sim
