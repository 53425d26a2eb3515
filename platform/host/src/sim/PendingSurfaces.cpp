// Surfaces on temporary bodies: not modelled yet.
#include "Facets.h"
#include "Pending.h"

namespace sim
{
HRESULT TemporaryBodyFacet::CreateBSplineSurface(const LONG*, const double*, const double*, const double*,
                                                 IHostSurface** surface)
{
    *surface = nullptr;
    SIM_NOT_MODELLED("CreateBSplineSurface");
}

HRESULT TemporaryBodyFacet::CreatePlanarSurface(const double*, const double*, IHostSurface** surface)
{
    *surface = nullptr;
    SIM_NOT_MODELLED("CreatePlanarSurface");
}

HRESULT TemporaryBodyFacet::IsSurfaceTrimmed(short* trimmed)
{
    SIM_NOT_MODELLED("IsSurfaceTrimmed");
}

HRESULT TemporaryBodyFacet::BoundSurface(LONG, LONG, const double*)
{
    SIM_NOT_MODELLED("BoundSurface");
}
} // namespace sim
