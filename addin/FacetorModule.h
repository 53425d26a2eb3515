// The COM module of Facetor.dll: its lock count, class factories and type library.
#pragma once

#include "Facetor_i.h"

#include "atlbase.h"

class CFacetorModule : public ATL::CAtlDllModuleT<CFacetorModule>
{
public:
    DECLARE_LIBID(LIBID_FacetorLib)
};

extern CFacetorModule _AtlModule;
