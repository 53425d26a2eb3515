// The names of the host versions by version index. Every source file that includes this holds a
// copy of its own, built when the module loads.
#pragma once

#include "afxstr.h"

namespace
{
const CString HostVersionNames[15] = {
    L"SolidWorks ????", L"SolidWorks 2000", L"SolidWorks 2001", L"SolidWorks 2001 Plus", L"SolidWorks 2003",
    L"SolidWorks 2004", L"SolidWorks 2005", L"SolidWorks 2006", L"SolidWorks 2007", L"SolidWorks 2008",
    L"SolidWorks 2009", L"SolidWorks 2010", L"SolidWorks 2011", L"SolidWorks 2012", L"SolidWorks 2013",
};
} // namespace
