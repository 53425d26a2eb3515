#include "TestModule.h"

CTestModule _AtlModule;
