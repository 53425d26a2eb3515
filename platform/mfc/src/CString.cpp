// CString members, with the framework's clamping rules and its wide printf conventions.
#include "afxstr.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

CString::CString(const char* text)
{
    if (text)
        while (*text)
            m_text += wchar_t((unsigned char)*text++);
}

int CString::Find(const wchar_t* text, int start) const
{
    if (!text || start < 0 || start > GetLength())
        return -1;
    size_t at = m_text.find(text, size_t(start));
    return at == std::wstring::npos ? -1 : int(at);
}

int CString::Find(wchar_t ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t at = m_text.find(ch, size_t(start));
    return at == std::wstring::npos ? -1 : int(at);
}

int CString::ReverseFind(wchar_t ch) const
{
    size_t at = m_text.rfind(ch);
    return at == std::wstring::npos ? -1 : int(at);
}

CString CString::Left(int count) const
{
    if (count < 0)
        count = 0;
    return CString(m_text.substr(0, size_t(count)));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first > GetLength())
        first = GetLength();
    return CString(m_text.substr(size_t(first), size_t(count)));
}

CString CString::Right(int count) const
{
    if (count < 0)
        count = 0;
    if (count > GetLength())
        count = GetLength();
    return CString(m_text.substr(m_text.size() - size_t(count)));
}

CString& CString::MakeLower()
{
    for (wchar_t& c : m_text)
        if (c >= L'A' && c <= L'Z')
            c = wchar_t(c - L'A' + L'a');
    return *this;
}

CString& CString::MakeUpper()
{
    for (wchar_t& c : m_text)
        if (c >= L'a' && c <= L'z')
            c = wchar_t(c - L'a' + L'A');
    return *this;
}

BSTR CString::AllocSysString() const
{
    return SysAllocStringLen(m_text.c_str(), UINT(m_text.size()));
}

namespace
{
// Rewrites a format written for the framework's wide printf into one for the C library's:
// %s and %c take wide arguments there (%ls, %lc here); %S, %C, %hs and %hc take narrow ones;
// I64 and I32 size prefixes become ll and nothing.
std::wstring ToCLibraryFormat(const wchar_t* format)
{
    std::wstring out;
    for (const wchar_t* p = format; *p;)
    {
        if (*p != L'%')
        {
            out += *p++;
            continue;
        }
        out += *p++;
        if (*p == L'%')
        {
            out += *p++;
            continue;
        }
        while (*p && std::wcschr(L"-+ #0", *p))
            out += *p++;
        while (*p && ((*p >= L'0' && *p <= L'9') || *p == L'*' || *p == L'.'))
            out += *p++;
        std::wstring size;
        if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4')
            size = L"ll", p += 3;
        else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2')
            p += 3;
        else
            while (*p && std::wcschr(L"hlLqjzt", *p))
                size += *p++;
        wchar_t conversion = *p ? *p++ : 0;
        if (conversion == L's' || conversion == L'c')
            out += (size == L"h" ? L"" : L"l"), out += conversion;
        else if (conversion == L'S' || conversion == L'C')
            out += wchar_t(conversion == L'S' ? L's' : L'c');
        else if (conversion)
            out += size, out += conversion;
    }
    return out;
}
} // namespace

std::wstring FormatWide(const wchar_t* format, va_list args)
{
    if (!format)
        return L"";
    const std::wstring cFormat = ToCLibraryFormat(format);
    std::vector<wchar_t> buffer(256);
    for (;;)
    {
        va_list copy;
        va_copy(copy, args);
        int written = std::vswprintf(buffer.data(), buffer.size(), cFormat.c_str(), copy);
        va_end(copy);
        if (written >= 0 && size_t(written) < buffer.size())
            return std::wstring(buffer.data(), size_t(written));
        if (buffer.size() > (1u << 26))
            return L"";
        buffer.resize(buffer.size() * 2);
    }
}

void CString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    m_text = FormatWide(format, args);
    va_end(args);
}
