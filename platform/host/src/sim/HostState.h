// The simulated host's inner state: journal, call counters, failure rules, reference ledger, the
// model, and the objects that stand behind each interface handed out.
#pragma once

#include "sim/Model.h"

#include "sldworks.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sim
{
class ApplicationFacet;
class FacetCore;

enum class InjectedFailure
{
    None,
    Hresult,
    NoObject,
};

// Operations are numbered process-wide the first time their name is seen, so that counting
// calls stays cheap in large imports.
int OperationId(const std::string& name);

struct HostState
{
    HostState();
    ~HostState();

    bool lean = false;
    std::vector<std::string> journal;
    std::vector<int> callCounts; // by operation id
    struct Rule
    {
        int operation;
        int nth;
        InjectedFailure kind;
        HRESULT result;
    };
    std::vector<Rule> rules;
    long liveReferences = 0;

    std::wstring revision = L"21.0.0";
    bool revisionIsNull = false;
    int frameHandle = 0x1234;

    Model model;
    // The add-in's object that the host calls back by name, borrowed, with its module and cookie.
    IDispatch* callbacks = nullptr;
    LONG callbackModule = 0;
    LONG callbackCookie = 0;
    std::unique_ptr<ApplicationFacet> application;
    // Sinks advised on the application's event interface, by cookie, each with the reference that
    // Advise took. A sink still advised when the host goes is left alone: its add-in went first.
    std::map<DWORD, IDispatch*> eventSinks;
    DWORD eventCookiesMade = 0;

    // Counts the call and tells whether a rule makes it fail.
    InjectedFailure CountCall(int operation, HRESULT* result);

    // The objects behind handed-out interfaces: all of them, and those of entities by name.
    FacetCore* facets = nullptr;
    std::map<std::string, FacetCore*> entityFacets;
    void Link(FacetCore* facet);
    void Unlink(FacetCore* facet);
    FacetCore* FindEntityFacet(const std::string& name) const;
    void RegisterEntityFacet(FacetCore* facet);
    // In lean mode every sketch point, and every sketch segment, is handed out as one object.
    FacetCore* leanSketchPoint = nullptr;
    FacetCore* leanSketchSegment = nullptr;

    // Sequence numbers for journal names of objects that have no model entity of their own.
    std::map<std::string, int> nameCounters;
    std::string NextName(const std::string& kind);
};
} // namespace sim
