// The host's command manager: command groups, their items, and command tabs.
#pragma once

#include "oaidl.h"

#include "host/HostIds.h"

struct ICommandGroup;
struct ICommandTab;
struct ICommandTabBox;

struct ICommandManager : public IDispatch
{
    virtual HRESULT CreateCommandGroup(LONG id, BSTR title, BSTR tooltip, BSTR hint, LONG position,
                                       ICommandGroup** group) = 0;
    virtual HRESULT RemoveCommandGroup(LONG id, VARIANT_BOOL* done) = 0;
    virtual HRESULT FindCommandTab(LONG documentType, BSTR title, ICommandTab** tab) = 0;
    virtual HRESULT AddCommandTab(LONG documentType, BSTR title, ICommandTab** tab) = 0;
    // An operation of the host's own on a document type.
    virtual HRESULT QueryDocumentType(LONG documentType, LONG* result) = 0;

protected:
    ~ICommandManager() = default;
};

struct ICommandGroup : public IDispatch
{
    // Paths of bitmap files, read while the call runs.
    virtual HRESULT SetLargeIcon(BSTR path) = 0;
    virtual HRESULT SetSmallIcon(BSTR path) = 0;
    virtual HRESULT SetLargeImageStrip(BSTR path) = 0;
    virtual HRESULT SetSmallImageStrip(BSTR path) = 0;
    virtual HRESULT AddCommandItem(BSTR name, LONG position, BSTR hint, BSTR tooltip, LONG imageIndex,
                                   BSTR callback, BSTR enableCallback, LONG userId, LONG options, LONG* index) = 0;
    virtual HRESULT GetCommandId(LONG index, LONG* id) = 0;
    // Operations of the host's own, with fixed arguments.
    virtual HRESULT SetOptionA(LONG value) = 0;
    virtual HRESULT SetOptionB(LONG value) = 0;
    virtual HRESULT SetOptionC(LONG value) = 0;
    virtual HRESULT Activate(VARIANT_BOOL* done) = 0;

protected:
    ~ICommandGroup() = default;
};

struct ICommandTab : public IDispatch
{
    virtual HRESULT AddTabBox(ICommandTabBox** box) = 0;

protected:
    ~ICommandTab() = default;
};

struct ICommandTabBox : public IDispatch
{
    virtual HRESULT AddCommands(LONG count, const LONG* ids, const LONG* textStyles, VARIANT_BOOL* done) = 0;

protected:
    ~ICommandTabBox() = default;
};
