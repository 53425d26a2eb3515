// The simulated host's public face for tests and tools.
#include "sim/Host.h"

#include "HostState.h"

#include "Facets.h"

namespace sim
{
Host::Host() : m_state(std::make_unique<HostState>()) {}

Host::~Host() = default;

ISldWorks* Host::Application()
{
    return m_state->application.get();
}

void Host::SetRevision(const wchar_t* revision)
{
    m_state->revisionIsNull = revision == nullptr;
    m_state->revision = revision ? revision : L"";
}

void Host::SetFrameHandle(int handle)
{
    m_state->frameHandle = handle;
}

std::vector<std::string> Host::Journal() const
{
    return m_state->journal;
}

void Host::ClearJournal()
{
    m_state->journal.clear();
}

void Host::SetLean(bool lean)
{
    m_state->lean = lean;
}

bool Host::Lean() const
{
    return m_state->lean;
}

void Host::FailCall(const std::string& operation, int nth, HRESULT result)
{
    m_state->rules.push_back({OperationId(operation), nth, InjectedFailure::Hresult, result});
}

void Host::FailCallWithoutObject(const std::string& operation, int nth)
{
    m_state->rules.push_back({OperationId(operation), nth, InjectedFailure::NoObject, S_OK});
}

void Host::ClearFailures()
{
    m_state->rules.clear();
}

int Host::CallCount(const std::string& operation) const
{
    const size_t id = size_t(OperationId(operation));
    return id < m_state->callCounts.size() ? m_state->callCounts[id] : 0;
}

long Host::LiveReferences() const
{
    return m_state->liveReferences;
}

long Host::LiveReferences(const std::string& object) const
{
    long references = 0;
    for (const FacetCore* facet = m_state->facets; facet; facet = facet->m_next)
        if (facet->Name() == object)
            references += long(facet->References());
    return references;
}

Model& Host::GetModel()
{
    return m_state->model;
}

const Model& Host::GetModel() const
{
    return m_state->model;
}
} // namespace sim
