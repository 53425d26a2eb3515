// The subscription to the host application's events, and their handlers.
#include "FacetorAddin.h"

int CFacetor::GetHostTypeLibVersion()
{
    // Hosts before revision 14 publish no type library of their revision.
    return m_lHostMajorRevision >= 14 ? int(m_lHostMajorRevision) : 0;
}

VARIANT_BOOL CFacetor::AttachHostEvents()
{
    m_libid = LIBID_SldWorks;
    m_wMinorVerNum = 0;
    m_wMajorVerNum = static_cast<unsigned short>(GetHostTypeLibVersion());
    CHostEventSink::_tih.m_wMajor = m_wMajorVerNum;
    // A subscription that exists already is not made twice.
    if (m_dwEventCookie != 0xFEFEFEFE)
        return VARIANT_FALSE;
    const HRESULT hr = DispEventAdvise(m_pSldWorks, &DIID_DSldWorksEvents);
    return hr == S_OK ? VARIANT_TRUE : VARIANT_FALSE;
}

VARIANT_BOOL CFacetor::DetachHostEvents()
{
    // The cookie is cleared whatever the host answers.
    const HRESULT hr = DispEventUnadvise(m_pSldWorks, &DIID_DSldWorksEvents);
    // With no library in the class-wide holder, the next look-up of an event takes the library,
    // interface and version from the sink's state.
    CHostEventSink::_tih.m_plibid = &GUID_NULL;
    return hr == S_OK ? VARIANT_TRUE : VARIANT_FALSE;
}

HRESULT CFacetor::OnHostEvent4(BSTR name)
{
    return S_OK;
}

HRESULT CFacetor::OnHostEvent5()
{
    return S_OK;
}

HRESULT CFacetor::OnHostEvent11(LONG kind)
{
    return S_OK;
}

HRESULT CFacetor::OnHostEvent12(BSTR name, LONG kind)
{
    return S_OK;
}
