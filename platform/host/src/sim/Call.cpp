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

void Call::Begin(const FacetCore& object, const char* name)
{
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

std::string StringText(const wchar_t* text)
{
    return text ? ui::Quoted(text) : "null";
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

std::string DoublesText(const double* values, long count)
{
    return ArrayText(values, count, [](double v) { return FormatDouble(v); });
}

std::string FloatsText(const float* values, long count)
{
    return ArrayText(values, count, [](float v) { return FormatDouble(double(v)); });
}

std::string LongsText(const LONG* values, long count)
{
    return ArrayText(values, count, [](LONG v) { return std::to_string(v); });
}

void Call::OutRaw(const std::string& text)
{
    if (!m_host.lean)
        m_outs += ", " + text;
}

void Call::WriteLine(HRESULT result)
{
    m_host.journal.push_back(m_line + ") -> " + FormatResult(result) + m_outs);
}
} // namespace sim
