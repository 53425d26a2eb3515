// Interfaces on entities of the simulated host's model, for tests that hand the add-in an object
// it would have been given by the host. Each call hands out one counted reference, which the
// caller releases; the journal does not show these hand-outs.
#pragma once

#include "sim/Host.h"

namespace sim
{
IModelDoc* ModelDocInterface(Host& host, Document& document);
IBody* BodyInterface(Host& host, Body& body);
IComponent* ComponentInterface(Host& host, Component& component);
ISketch* SketchInterface(Host& host, Sketch& sketch);
} // namespace sim
