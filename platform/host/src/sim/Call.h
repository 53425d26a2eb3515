// One call into the simulated host: counts it, applies an injected failure, and writes its
// journal line `object.Operation(arguments) -> result, outs` (not in lean mode).
#pragma once

#include "Facet.h"

#include <string>

namespace sim
{
std::string FormatDouble(double value);
std::string FormatResult(HRESULT result);
// Arguments as the journal writes them: a string quoted or null, arrays as [a, b, c] or null.
std::string StringText(const wchar_t* text);
std::string DoublesText(const double* values, long count);
std::string FloatsText(const float* values, long count);
std::string LongsText(const LONG* values, long count);

class Call
{
public:
    Call(HostState& host, const FacetCore& object, int operation, const char* name)
        : m_host(host), m_failure(host.CountCall(operation, &m_injected))
    {
        if (!Lean())
            Begin(object, name);
    }

    // Arguments, in order. In lean mode nothing is written, so nothing is formatted either.
    Call& Arg(long value) { return Lean() ? *this : Raw(std::to_string(value)); }
    Call& Arg(int value) { return Arg(long(value)); }
    Call& Arg(short value) { return Arg(long(value)); }
    Call& Arg(double value) { return Lean() ? *this : Raw(FormatDouble(value)); }
    Call& String(const wchar_t* text) { return Lean() ? *this : Raw(StringText(text)); } // a BSTR or null
    Call& Doubles(const double* values, long count)
    {
        return Lean() ? *this : Raw(DoublesText(values, count));
    }
    Call& Floats(const float* values, long count) { return Lean() ? *this : Raw(FloatsText(values, count)); }
    Call& Longs(const LONG* values, long count) { return Lean() ? *this : Raw(LongsText(values, count)); }
    Call& Object(const FacetCore* object) { return Lean() ? *this : Raw(object ? object->Name() : "null"); }
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
    void OutValue(long value)
    {
        if (!Lean())
            OutRaw(std::to_string(value));
    }
    void OutValue(double value)
    {
        if (!Lean())
            OutRaw(FormatDouble(value));
    }
    void OutString(const wchar_t* text)
    {
        if (!Lean())
            OutRaw(StringText(text));
    }
    // Values written into the caller's buffer.
    void OutDoubles(const double* values, long count)
    {
        if (!Lean())
            OutRaw(DoublesText(values, count));
    }
    void OutFloats(const float* values, long count)
    {
        if (!Lean())
            OutRaw(FloatsText(values, count));
    }
    void OutRaw(const std::string& text);

    // Writes the line and returns the result; after an injected failure, the injected HRESULT.
    HRESULT Done(HRESULT result = S_OK)
    {
        if (Failed())
            result = m_injected;
        if (!Lean())
            WriteLine(result);
        return result;
    }

    bool Lean() const { return m_host.lean; }

private:
    void Begin(const FacetCore& object, const char* name);
    void Separate();
    void WriteLine(HRESULT result);

    HostState& m_host;
    HRESULT m_injected = S_OK; // before m_failure, which sets it
    InjectedFailure m_failure;
    bool m_first = true;
    std::string m_line;
    std::string m_outs;
};
} // namespace sim

// Starts the journal entry of the current operation as `call`, counting it under `name`.
#define SIM_CALL(call, name)                                                                             \
    static const int call##_operation = ::sim::OperationId(name);                                        \
    ::sim::Call call(m_host, *this, call##_operation, name)
