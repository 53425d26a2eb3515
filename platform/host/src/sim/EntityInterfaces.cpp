#include "sim/EntityInterfaces.h"

#include "ReadbackFacets.h"

namespace sim
{
namespace
{
template <class Interface> Interface* HandOut(FacetCore* facet)
{
    facet->AddReference();
    return reinterpret_cast<Interface*>(facet->Unknown());
}
} // namespace

IModelDoc* ModelDocInterface(Host& host, Document& document)
{
    return HandOut<IModelDoc>(DocumentInterface(host.State(), document, IID_IModelDoc));
}

IBody* BodyInterface(Host& host, Body& body)
{
    return HandOut<IBody>(BodyInterface(host.State(), body));
}

IComponent* ComponentInterface(Host& host, Component& component)
{
    return HandOut<IComponent>(ComponentInterface(host.State(), component));
}

ISketch* SketchInterface(Host& host, Sketch& sketch)
{
    HostState& state = host.State();
    return HandOut<ISketch>(new SketchFacet(state, state.NextName("sketch"), sketch));
}
} // namespace sim
