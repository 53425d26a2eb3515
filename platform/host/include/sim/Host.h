// The simulated host. A test makes one, hands its application to the add-in, and then reads the
// journal (one line per call, in call order), the model and the reference ledger.
#pragma once

#include "sim/Model.h"

#include "sldworks.h"

#include <memory>
#include <string>
#include <vector>

namespace sim
{
struct HostState;

class Host
{
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The application interface, borrowed: the host keeps its own reference, which the ledger
    // does not count.
    ISldWorks* Application();

    // What the host answers about itself.
    void SetRevision(const wchar_t* revision); // null: the host hands out a null string
    void SetFrameHandle(int handle);

    // Calls the add-in back by name through the object it registered with SetAddinCallbackInfo, as
    // the host does for a command item or its File-Open entry: GetIDsOfNames, then Invoke as a
    // method with the one string argument when one is given. E_UNEXPECTED when none is registered.
    HRESULT InvokeCallback(const std::wstring& name, const wchar_t* argument = nullptr);

    // Fires an event of the application's event interface at every sink advised on its connection
    // point, through the sink's IDispatch, with the arguments that the host's type library declares
    // for it (none for an event it does not declare). S_OK when every sink answered S_OK, else the
    // first other answer; S_FALSE when no sink is advised. `answer`, when given, receives the result
    // that the last sink called put into its result variant (VT_EMPTY when it put none there); the
    // caller clears it.
    HRESULT FireEvent(DISPID id, VARIANT* answer = nullptr);
    size_t EventSinkCount() const;
    // Registers the host's type library (version 21.0, as the installed host of the default
    // revision has it), whose descriptions of the events an add-in's event sink reads.
    HRESULT RegisterTypeLibrary();

    // The journal: `object.Operation(arguments) -> result, outs`, one line per call.
    std::vector<std::string> Journal() const;
    void ClearJournal();
    // Lean mode keeps counts and the model's counts but writes no journal and stores no geometry.
    void SetLean(bool lean);
    bool Lean() const;

    // Makes the nth call (from 1) of an operation fail with an HRESULT, or succeed without handing
    // out its object. Operations are named as in the journal ("CreateTemporaryBody").
    void FailCall(const std::string& operation, int nth, HRESULT result = E_FAIL);
    void FailCallWithoutObject(const std::string& operation, int nth);
    void ClearFailures();
    // How many times an operation was called.
    int CallCount(const std::string& operation) const;

    // References handed out to callers and not yet released: all of them, or those on the objects
    // of one journal name ("app").
    long LiveReferences() const;
    long LiveReferences(const std::string& object) const;

    Model& GetModel();
    const Model& GetModel() const;

    HostState& State() { return *m_state; }

private:
    std::unique_ptr<HostState> m_state;
};
} // namespace sim
