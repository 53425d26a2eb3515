// The bridge's error text.
#include "NVKSWON.h"

#include "HostVersionNames.h"

CString NVKSWON::m_strError;

CString NVKSWON::GetError()
{
    return m_strError;
}

void NVKSWON::SetError(const CString& error)
{
    m_strError = error;
}
