// The test program's module object, as a server has one: its lock count and its object map.
#pragma once

#include "atlbase.h"

class CTestModule : public CAtlDllModuleT<CTestModule>
{
};

extern CTestModule _AtlModule;
