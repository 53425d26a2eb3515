// The command manager, callbacks and File-Open entries: not modelled yet.
#include "Facets.h"
#include "Pending.h"

namespace sim
{
HRESULT ApplicationFacet::GetCommandManager(LONG, ICommandManager** manager)
{
    *manager = nullptr;
    SIM_NOT_MODELLED("GetCommandManager");
}

HRESULT ApplicationFacet::SetAddinCallbackInfo(LONG, IDispatch*, LONG, VARIANT_BOOL*)
{
    SIM_NOT_MODELLED("SetAddinCallbackInfo");
}

HRESULT ApplicationFacet::AddFileOpenItem(LONG, BSTR, BSTR, BSTR, BSTR, BSTR, VARIANT_BOOL*)
{
    SIM_NOT_MODELLED("AddFileOpenItem");
}

HRESULT ApplicationFacet::RemoveFileOpenItem(LONG, BSTR, BSTR, BSTR, VARIANT_BOOL*)
{
    SIM_NOT_MODELLED("RemoveFileOpenItem");
}
} // namespace sim
