// The objects behind the command manager, command groups, command tabs and tab boxes.
#pragma once

#include "Facet.h"

#include <memory>

namespace sim
{
class CommandManagerFacet final : public Facet<ICommandManager>
{
public:
    CommandManagerFacet(HostState& host, const std::string& name) : Facet(host, name) {}
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_ICommandManager); }

    HRESULT CreateCommandGroup(LONG id, BSTR title, BSTR tooltip, BSTR hint, LONG position,
                               ICommandGroup** group) override;
    HRESULT RemoveCommandGroup(LONG id, VARIANT_BOOL* done) override;
    HRESULT FindCommandTab(LONG documentType, BSTR title, ICommandTab** tab) override;
    HRESULT AddCommandTab(LONG documentType, BSTR title, ICommandTab** tab) override;
    HRESULT QueryDocumentType(LONG documentType, LONG* result) override;
};

class CommandGroupFacet final : public Facet<ICommandGroup>
{
public:
    CommandGroupFacet(HostState& host, const std::string& name, std::shared_ptr<CommandGroup> group)
        : Facet(host, name), m_group(std::move(group))
    {
    }
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_ICommandGroup); }

    HRESULT SetLargeIcon(BSTR path) override;
    HRESULT SetSmallIcon(BSTR path) override;
    HRESULT SetLargeImageStrip(BSTR path) override;
    HRESULT SetSmallImageStrip(BSTR path) override;
    HRESULT AddCommandItem(BSTR name, LONG position, BSTR hint, BSTR tooltip, LONG imageIndex, BSTR callback,
                           BSTR enableCallback, LONG userId, LONG options, LONG* index) override;
    HRESULT GetCommandId(LONG index, LONG* id) override;
    HRESULT SetOptionA(LONG value) override;
    HRESULT SetOptionB(LONG value) override;
    HRESULT SetOptionC(LONG value) override;
    HRESULT Activate(VARIANT_BOOL* done) override;

private:
    // The host reads the image while the call runs, as the real host does.
    HRESULT SetImage(Call& call, BSTR path, ImageFile CommandGroup::*image);
    HRESULT SetOption(Call& call, LONG value, std::vector<LONG> CommandGroup::*values);

    std::shared_ptr<CommandGroup> m_group;
};

class CommandTabFacet final : public Facet<ICommandTab>
{
public:
    CommandTabFacet(HostState& host, const std::string& name, std::shared_ptr<CommandTab> tab)
        : Facet(host, name), m_tab(std::move(tab))
    {
    }
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_ICommandTab); }

    HRESULT AddTabBox(ICommandTabBox** box) override;

private:
    std::shared_ptr<CommandTab> m_tab;
};

class CommandTabBoxFacet final : public Facet<ICommandTabBox>
{
public:
    CommandTabBoxFacet(HostState& host, const std::string& name, std::shared_ptr<CommandTab> tab, size_t box)
        : Facet(host, name), m_tab(std::move(tab)), m_box(box)
    {
    }
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_ICommandTabBox); }

    HRESULT AddCommands(LONG count, const LONG* ids, const LONG* textStyles, VARIANT_BOOL* done) override;

private:
    std::shared_ptr<CommandTab> m_tab;
    size_t m_box;
};
} // namespace sim
