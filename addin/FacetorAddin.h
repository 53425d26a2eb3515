// The add-in object that the host creates and connects: it keeps the host application and its
// command manager while connected, puts up the user interface, answers the host's named callbacks
// and listens to the application's events.
#pragma once

#include "Facetor_i.h"
#include "resource.h"

#include "atlbase.h"
#include "atlcom.h"
#include "sldworks.h"

class CFacetor;
// The sink on the host application's event interface, described by the host's type library of
// the version that connecting sets.
typedef IDispEventImpl<0, CFacetor, &DIID_DSldWorksEvents, &LIBID_SldWorks, 14, 0> CHostEventSink;

class CFacetor : public CComObjectRootEx<CComSingleThreadModel>,
                 public CComCoClass<CFacetor, &CLSID_Facetor>,
                 public IDispatchImpl<IFacetor, &IID_IFacetor, &LIBID_FacetorLib, 1, 0>,
                 public ISwAddin,
                 public CHostEventSink
{
public:
    CFacetor();

    DECLARE_REGISTRY_RESOURCEID(IDR_FACETOR)
    DECLARE_NOT_AGGREGATABLE(CFacetor)

    BEGIN_COM_MAP(CFacetor)
    COM_INTERFACE_ENTRY(IFacetor)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(ISwAddin)
    END_COM_MAP()

    // The application's events that the add-in listens to; the handlers' parameters are those
    // the host's type library declares.
    BEGIN_SINK_MAP(CFacetor)
    SINK_ENTRY_EX(0, DIID_DSldWorksEvents, 4, OnHostEvent4)
    SINK_ENTRY_EX(0, DIID_DSldWorksEvents, 11, OnHostEvent11)
    SINK_ENTRY_EX(0, DIID_DSldWorksEvents, 12, OnHostEvent12)
    SINK_ENTRY_EX(0, DIID_DSldWorksEvents, 5, OnHostEvent5)
    END_SINK_MAP()

    // IFacetor: the callbacks that the host calls by name.
    STDMETHOD(ToolbarCallback0)() override;
    STDMETHOD(ToolbarEnable0)(LONG* status) override;
    STDMETHOD(Facetor_Import)() override;
    STDMETHOD(Facetor_Help)() override;
    STDMETHOD(Facetor_About)() override;
    STDMETHOD(Facetor_Open)(BSTR path) override;

    // The application's events; none of them is acted on.
    virtual HRESULT OnHostEvent4(BSTR name);
    virtual HRESULT OnHostEvent5();
    virtual HRESULT OnHostEvent11(LONG kind);
    virtual HRESULT OnHostEvent12(BSTR name, LONG kind);

    // ISwAddin: the connection always reports success once there is an application to work with;
    // disconnecting reports E_NOTIMPL, its out-flag whether the event subscription ended.
    STDMETHOD(ConnectToSW)(IDispatch* ThisSW, LONG Cookie, VARIANT_BOOL* IsConnected) override;
    STDMETHOD(DisconnectFromSW)(VARIANT_BOOL* IsDisconnected) override;

    // The held application with one more reference for the caller, or null when not connected.
    ISldWorks* GetHostApplication();
    // The host type library's major version that describes its events: the host's major revision
    // from 14 on, else 0.
    int GetHostTypeLibVersion();

private:
    void AddUserInterface();
    void RemoveUserInterface();
    VARIANT_BOOL AttachHostEvents();
    VARIANT_BOOL DetachHostEvents();
    // The number before the first non-digit of the host's revision string ("21.0.0" gives 21).
    LONG ReadHostMajorRevision();

    CComPtr<ISldWorks> m_pSldWorks;
    CComPtr<ICommandManager> m_pCommandManager;
    LONG m_lCookie;
    LONG m_lHostMajorRevision;
};
