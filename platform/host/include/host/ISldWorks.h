// The host application, the first interface the add-in is given.
#pragma once

#include "oaidl.h"

#include "host/HostIds.h"

struct IHostFrame;
struct ICommandManager;
struct IModelDoc;
struct IPartDoc;
struct IAssemblyDoc;
struct IDrawingDoc;

struct ISldWorks : public IDispatch
{
    // The revision string, e.g. "21.0.0"; its number before the first "." is the major revision.
    virtual HRESULT GetRevisionNumber(BSTR* revision) = 0;
    virtual HRESULT GetFrame(IHostFrame** frame) = 0;
    virtual HRESULT GetCommandManager(LONG cookie, ICommandManager** manager) = 0;
    // Registers the object whose IDispatch the host calls back by name.
    virtual HRESULT SetAddinCallbackInfo(LONG moduleHandle, IDispatch* callbacks, LONG cookie,
                                         VARIANT_BOOL* done) = 0;
    // A File-Open file type; the host then calls `callback` with the chosen path.
    virtual HRESULT AddFileOpenItem(LONG cookie, BSTR callback, BSTR description, BSTR extension, BSTR unused1,
                                    BSTR unused2, VARIANT_BOOL* done) = 0;
    virtual HRESULT RemoveFileOpenItem(LONG cookie, BSTR callback, BSTR description, BSTR extension,
                                       VARIANT_BOOL* done) = 0;
    // A new document becomes the active document.
    virtual HRESULT NewPartDocument(IPartDoc** part) = 0;
    virtual HRESULT NewAssemblyDocument(IAssemblyDoc** assembly) = 0;
    virtual HRESULT NewDrawingDocument(LONG a, LONG b, LONG c, double width, double height,
                                       IDrawingDoc** drawing) = 0;
    virtual HRESULT GetActiveDocument(IModelDoc** document) = 0;
    virtual HRESULT GetActiveDocument2(IModelDoc** document) = 0;
    virtual HRESULT LoadFile(BSTR path, BSTR options, IModelDoc** document) = 0;

protected:
    ~ISldWorks() = default;
};

struct IHostFrame : public IDispatch
{
    virtual HRESULT GetWindowHandle(int* handle) = 0;

protected:
    ~IHostFrame() = default;
};
