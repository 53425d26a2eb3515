#include "HostState.h"

#include "Facets.h"
#include "Facet.h"

#include <mutex>
#include <unordered_map>

namespace sim
{
int OperationId(const std::string& name)
{
    static std::mutex lock;
    static std::unordered_map<std::string, int> ids;
    std::lock_guard<std::mutex> guard(lock);
    auto [it, added] = ids.emplace(name, int(ids.size()));
    return it->second;
}

// The application links itself into the list of objects, which must be initialised first.
HostState::HostState()
{
    application = std::make_unique<ApplicationFacet>(*this);
}

HostState::~HostState()
{
    application.reset();
    while (facets) // what callers never released
        delete facets;
}

void HostState::Link(FacetCore* facet)
{
    facet->m_next = facets;
    if (facets)
        facets->m_previous = facet;
    facets = facet;
}

void HostState::Unlink(FacetCore* facet)
{
    if (facet->m_previous)
        facet->m_previous->m_next = facet->m_next;
    else if (facets == facet)
        facets = facet->m_next;
    if (facet->m_next)
        facet->m_next->m_previous = facet->m_previous;
    if (facet->m_registeredByName)
        entityFacets.erase(facet->Name());
}

FacetCore* HostState::FindEntityFacet(const std::string& name) const
{
    auto it = entityFacets.find(name);
    return it == entityFacets.end() ? nullptr : it->second;
}

void HostState::RegisterEntityFacet(FacetCore* facet)
{
    facet->m_registeredByName = true;
    entityFacets[facet->Name()] = facet;
}

InjectedFailure HostState::CountCall(int operation, HRESULT* result)
{
    if (size_t(operation) >= callCounts.size())
        callCounts.resize(size_t(operation) + 1, 0);
    const int nth = ++callCounts[size_t(operation)];
    for (const Rule& rule : rules)
        if (rule.operation == operation && rule.nth == nth)
        {
            *result = rule.result;
            return rule.kind;
        }
    return InjectedFailure::None;
}

std::string HostState::NextName(const std::string& kind)
{
    return kind + std::to_string(++nameCounters[kind]);
}

size_t Document::FaceCount() const
{
    size_t faces = 0;
    for (const auto& body : bodies)
        faces += body->planarFaceCount + body->surfaces.size() + body->faceTriangles.size();
    return faces;
}

size_t Document::SketchEntityCount(SketchEntityKind kind) const
{
    size_t count = 0;
    for (const auto& sketch : sketches)
        count += sketch->Count(kind);
    return count;
}

Document& Model::AddDocument(DocumentType type)
{
    auto document = std::make_unique<Document>();
    document->number = int(documents.size()) + 1;
    document->type = type;
    switch (type)
    {
    case DocumentType::Part:
        document->title = L"Part" + std::to_wstring(++partsMade);
        break;
    case DocumentType::Assembly:
        document->title = L"Assem" + std::to_wstring(++assembliesMade);
        break;
    case DocumentType::Drawing:
        document->title = L"Draw" + std::to_wstring(++drawingsMade);
        break;
    }
    documents.push_back(std::move(document));
    active = documents.back().get();
    return *active;
}
} // namespace sim
