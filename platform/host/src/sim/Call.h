// One call into the simulated host: counts it, applies an injected failure, and writes its
// journal line `object.Operation(arguments) -> result, outs` (not in lean mode).
#pragma once

#include "Facet.h"

#include <string>

namespace sim
{
class Call
{
public:
    Call(HostState& host, const FacetCore& object, int operation, const char* name);

    // Arguments, in order.
    Call& Arg(long value);
    Call& Arg(int value) { return Arg(long(value)); }
    Call& Arg(short value) { return Arg(long(value)); }
    Call& Arg(double value);
    Call& String(const wchar_t* text); // a BSTR or null
    Call& Doubles(const double* values, long count);
    Call& Floats(const float* values, long count);
    Call& Longs(const LONG* values, long count);
    Call& Object(const FacetCore* object);
    Call& Raw(const std::string& text);

    // Whether the call is made to fail with an HRESULT; the operation then changes nothing.
    bool Failed() const { return m_failure == InjectedFailure::Hresult; }
    // Whether the call is made to succeed without its object.
    bool WithoutObject() const { return m_failure == InjectedFailure::NoObject; }

    // Out-arguments, in order. OutObject hands out one reference on the object, or null when
    // the call is made to come back without its object (an unheld object is then deleted).
    template <class Interface>
    void OutObject(Interface** out, FacetCore* object)
    {
        *out = nullptr;
        if (!object || WithoutObject())
        {
            if (object)
                object->DiscardIfUnheld();
            OutRaw("null");
            return;
        }
        object->AddReference();
        *out = reinterpret_cast<Interface*>(object->Unknown());
        OutRaw(object->Name());
    }
    void OutObject(void** out, FacetCore* object) { OutObject<void>(out, object); }
    void OutValue(long value);
    void OutValue(double value);
    void OutString(const wchar_t* text);
    // Values written into the caller's buffer.
    void OutDoubles(const double* values, long count);
    void OutFloats(const float* values, long count);
    void OutRaw(const std::string& text);

    // Writes the line and returns the result; after an injected failure, the injected HRESULT.
    HRESULT Done(HRESULT result = S_OK);

    bool Lean() const { return m_host.lean; }

private:
    void Separate();

    HostState& m_host;
    HRESULT m_injected = S_OK; // before m_failure, which sets it
    InjectedFailure m_failure;
    bool m_first = true;
    std::string m_line;
    std::string m_outs;
};

std::string FormatDouble(double value);
std::string FormatResult(HRESULT result);
} // namespace sim

// Starts the journal entry of the current operation as `call`, counting it under `name`.
#define SIM_CALL(call, name)                                                                             \
    static const int call##_operation = ::sim::OperationId(name);                                        \
    ::sim::Call call(m_host, *this, call##_operation, name)
