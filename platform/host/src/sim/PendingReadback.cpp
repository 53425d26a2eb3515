// Reading bodies, materials, components and configurations back: not modelled yet.
#include "Facets.h"
#include "Pending.h"

namespace sim
{
HRESULT DocumentFacet::GetActiveConfiguration(IConfiguration** configuration)
{
    *configuration = nullptr;
    SIM_NOT_MODELLED("GetActiveConfiguration");
}

HRESULT PartFacet::GetMaterialValues(double*)
{
    SIM_NOT_MODELLED("GetMaterialValues");
}

HRESULT PartFacet::GetBodies(LONG, short, IEnumBodies** bodies)
{
    *bodies = nullptr;
    SIM_NOT_MODELLED("GetBodies");
}

HRESULT AssemblyFacet::PrepareAssembly(LONG, LONG*)
{
    SIM_NOT_MODELLED("PrepareAssembly");
}

HRESULT BodyFacet::GetFirstFace(IFace** face)
{
    *face = nullptr;
    SIM_NOT_MODELLED("GetFirstFace");
}

HRESULT BodyFacet::GetName(BSTR* name)
{
    *name = nullptr;
    SIM_NOT_MODELLED("GetName");
}
} // namespace sim
