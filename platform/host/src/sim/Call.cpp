#include "Call.h"

#include "ui/ScriptedDriver.h"

#include <charconv>
#include <cstdio>

namespace sim
{
std::string FormatDouble(double value)
{
    // The shortest text that reads back to the same double.
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatResult(HRESULT result)
{
    switch (result)
    {
    case S_OK:
        return "S_OK";
    case S_FALSE:
        return "S_FALSE";
    case E_FAIL:
        return "E_FAIL";
    case E_NOTIMPL:
        return "E_NOTIMPL";
    case E_NOINTERFACE:
        return "E_NOINTERFACE";
    case E_POINTER:
        return "E_POINTER";
    case E_INVALIDARG:
        return "E_INVALIDARG";
    case E_OUTOFMEMORY:
        return "E_OUTOFMEMORY";
    default:
        break;
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", (unsigned)result);
    return text;
}

Call::Call(HostState& host, const FacetCore& object, int operation, const char* name)
    : m_host(host), m_failure(host.CountCall(operation, &m_injected))
{
    if (!m_host.lean)
        m_line = object.Name() + "." + name + "(";
}

void Call::Separate()
{
    if (!m_first)
        m_line += ", ";
    m_first = false;
}

Call& Call::Raw(const std::string& text)
{
    if (!m_host.lean)
    {
        Separate();
        m_line += text;
    }
    return *this;
}

Call& Call::Arg(long value)
{
    return m_host.lean ? *this : Raw(std::to_string(value));
}

Call& Call::Arg(double value)
{
    return m_host.lean ? *this : Raw(FormatDouble(value));
}

Call& Call::String(const wchar_t* text)
{
    return m_host.lean ? *this : Raw(text ? ui::Quoted(text) : "null");
}

Call& Call::Object(const FacetCore* object)
{
    return m_host.lean ? *this : Raw(object ? object->Name() : "null");
}

template <class T, class Format>
static std::string ArrayText(const T* values, long count, Format format)
{
    if (!values)
        return "null";
    std::string text = "[";
    for (long i = 0; i < count; ++i)
    {
        if (i)
            text += ", ";
        text += format(values[i]);
    }
    return text + "]";
}

Call& Call::Doubles(const double* values, long count)
{
    return m_host.lean ? *this : Raw(ArrayText(values, count, [](double v) { return FormatDouble(v); }));
}

Call& Call::Floats(const float* values, long count)
{
    return m_host.lean ? *this : Raw(ArrayText(values, count, [](float v) { return FormatDouble(double(v)); }));
}

Call& Call::Longs(const LONG* values, long count)
{
    return m_host.lean ? *this : Raw(ArrayText(values, count, [](LONG v) { return std::to_string(v); }));
}

void Call::OutRaw(const std::string& text)
{
    if (!m_host.lean)
        m_outs += ", " + text;
}

void Call::OutValue(long value)
{
    if (!m_host.lean)
        OutRaw(std::to_string(value));
}

void Call::OutValue(double value)
{
    if (!m_host.lean)
        OutRaw(FormatDouble(value));
}

void Call::OutDoubles(const double* values, long count)
{
    if (!m_host.lean)
        OutRaw(ArrayText(values, count, [](double v) { return FormatDouble(v); }));
}

void Call::OutFloats(const float* values, long count)
{
    if (!m_host.lean)
        OutRaw(ArrayText(values, count, [](float v) { return FormatDouble(double(v)); }));
}

void Call::OutString(const wchar_t* text)
{
    if (!m_host.lean)
        OutRaw(text ? ui::Quoted(text) : "null");
}

HRESULT Call::Done(HRESULT result)
{
    if (Failed())
        result = m_injected;
    if (!m_host.lean)
        m_host.journal.push_back(m_line + ") -> " + FormatResult(result) + m_outs);
    return result;
}
} // namespace sim
