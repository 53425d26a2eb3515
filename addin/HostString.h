// A string made for one host call (CString::AllocSysString) and freed once the call is over.
#pragma once

#include "afxstr.h"

class CHostString
{
public:
    explicit CHostString(const CString& text) : m_bstr(text.AllocSysString()) {}
    ~CHostString() { SysFreeString(m_bstr); }
    CHostString(const CHostString&) = delete;
    CHostString& operator=(const CHostString&) = delete;

    operator BSTR() const { return m_bstr; }

private:
    BSTR m_bstr;
};
