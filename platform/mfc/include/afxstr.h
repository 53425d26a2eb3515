// CString: the framework's wide string, with the members Facetor uses.
#pragma once

#include "oleauto.h"

#include <cstdarg>

#include <string>

class CString
{
public:
    CString() = default;
    // A null pointer gives the empty string; a BSTR is copied up to its first null character.
    CString(const wchar_t* text) : m_text(text ? text : L"") {}
    CString(const wchar_t* text, int length) : m_text(text ? std::wstring(text, size_t(length > 0 ? length : 0)) : L"") {}
    CString(const char* text);
    CString(wchar_t ch, int repeat = 1) : m_text(size_t(repeat > 0 ? repeat : 0), ch) {}
    CString(const std::wstring& text) : m_text(text) {}
    CString(const CString&) = default;
    CString(CString&&) = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) = default;
    CString& operator=(const wchar_t* text)
    {
        m_text = text ? text : L"";
        return *this;
    }

    int GetLength() const { return int(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    wchar_t GetAt(int index) const { return m_text[size_t(index)]; }
    wchar_t operator[](int index) const { return GetAt(index); }
    operator const wchar_t*() const { return m_text.c_str(); }
    const std::wstring& Str() const { return m_text; }

    // Index of the first occurrence at or after start, or -1. An empty text is found at start.
    int Find(const wchar_t* text, int start = 0) const;
    int Find(wchar_t ch, int start = 0) const;
    int ReverseFind(wchar_t ch) const;

    // Counts below 0 count as 0; counts past the end take what there is.
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    // Only A to Z change, as in the C locale; the length never changes.
    CString& MakeLower();
    CString& MakeUpper();

    // The framework's wide formatting: %s takes a wide string, %S a narrow one.
    void Format(const wchar_t* format, ...);

    // A new BSTR with the whole text; the caller frees it with SysFreeString.
    BSTR AllocSysString() const;

    CString& operator+=(const CString& other)
    {
        m_text += other.m_text;
        return *this;
    }
    CString& operator+=(const wchar_t* text)
    {
        if (text)
            m_text += text;
        return *this;
    }
    CString& operator+=(wchar_t ch)
    {
        m_text += ch;
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(const CString& a, const wchar_t* b) { return a + CString(b); }
    friend CString operator+(const wchar_t* a, const CString& b) { return CString(a) + b; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.m_text == (b ? b : L""); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_text < b.m_text; }

private:
    std::wstring m_text;
};

// Wide formatting with the framework's conventions into a std::wstring (used by CString::Format).
std::wstring FormatWide(const wchar_t* format, va_list args);
