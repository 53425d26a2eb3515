// Model content that tests set up for the add-in to read back.
#include "sim/Model.h"

namespace sim
{
Body& Model::AddBody(std::vector<std::unique_ptr<Body>>& owner, const std::wstring& name,
                     std::vector<std::vector<float>> faceTriangles, LONG kind)
{
    auto body = std::make_unique<Body>();
    body->number = ++bodiesMade;
    body->name = name;
    body->kind = kind;
    body->faceTriangles = std::move(faceTriangles);
    owner.push_back(std::move(body));
    return *owner.back();
}

static std::unique_ptr<Component> NewComponent(int number, const std::wstring& name, Document* modelDoc)
{
    auto component = std::make_unique<Component>();
    component->number = number;
    component->name = name;
    component->modelDoc = modelDoc;
    return component;
}

Component& Model::SetRootComponent(Document& assembly, const std::wstring& name, Document* modelDoc)
{
    assembly.rootComponent = NewComponent(++componentsMade, name, modelDoc);
    return *assembly.rootComponent;
}

Component& Model::AddChild(Component& parent, const std::wstring& name, Document* modelDoc)
{
    parent.children.push_back(NewComponent(++componentsMade, name, modelDoc));
    return *parent.children.back();
}
} // namespace sim
