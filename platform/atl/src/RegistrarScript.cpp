// Tokens are separated by white space only; a token that starts with a quote runs to the closing
// quote, two quotes inside standing for one. Keywords and value types ignore letter case.
//
//   script := { root "{" entries "}" }
//   entry  := [ForceRemove | Delete] [NoRemove] ( "val" name "=" type data
//                                              | name [ "=" type data ] [ "{" entries "}" ] )
//   type   := s (string) | d (DWORD) | b (hexadecimal bytes) | m (strings separated by \0)
#include "RegistrarScript.h"

#include "atlbase.h"

#include <cstring>
#include <cwchar>
#include <cwctype>

namespace ATL::registrar
{
namespace
{
constexpr size_t kMaxReplacementName = 31;
constexpr size_t kMaxToken = 4096;

bool SameWord(const std::wstring& a, const wchar_t* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::towupper(wint_t(a[i])) != std::towupper(wint_t(b[i])))
            return false;
    return i == a.size() && !b[i];
}

// Keys that ForceRemove and Delete never take away.
bool IsProtected(const std::wstring& name)
{
    static const wchar_t* const kProtected[] = {L"AppID",    L"CLSID",     L"Component Categories",
                                                L"FileType", L"Interface", L"Hardware",
                                                L"Mime",     L"SAM",       L"SECURITY",
                                                L"SYSTEM",   L"Software",  L"TypeLib"};
    for (const wchar_t* key : kProtected)
        if (SameWord(name, key))
            return true;
    return false;
}

struct Entry
{
    bool isValue = false; // a named value of the enclosing key, else a key
    bool forceRemove = false;
    bool remove = false; // Delete
    bool noRemove = false;
    std::wstring name;
    bool hasData = false;
    wchar_t type = 0;
    std::wstring data;
    std::vector<Entry> children;
};

struct SyntaxError
{
};

class Tokens
{
public:
    explicit Tokens(const std::wstring& text) : m_text(text) {}

    bool AtEnd()
    {
        SkipSpace();
        return m_pos >= m_text.size();
    }

    std::wstring Next()
    {
        SkipSpace();
        if (m_pos >= m_text.size())
            throw SyntaxError{};
        std::wstring token;
        if (m_text[m_pos] == L'\'')
        {
            for (++m_pos;; ++m_pos)
            {
                if (m_pos >= m_text.size())
                    throw SyntaxError{};
                if (m_text[m_pos] == L'\'')
                {
                    if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == L'\'')
                        ++m_pos;
                    else
                        break;
                }
                token += m_text[m_pos];
            }
            ++m_pos;
        }
        else
            while (m_pos < m_text.size() && !IsSpace(m_text[m_pos]))
                token += m_text[m_pos++];
        if (token.size() > kMaxToken)
            throw SyntaxError{};
        return token;
    }

    // The next token if it is `word` (without quotes), else nothing is taken.
    bool Accept(const wchar_t* word)
    {
        SkipSpace();
        const size_t start = m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] != L'\'' && Next() == word)
            return true;
        m_pos = start;
        return false;
    }

    void Expect(const wchar_t* word)
    {
        if (!Accept(word))
            throw SyntaxError{};
    }

private:
    static bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

    void SkipSpace()
    {
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos]))
            ++m_pos;
    }

    const std::wstring& m_text;
    size_t m_pos = 0;
};

void ReadData(Tokens& tokens, Entry& entry)
{
    const std::wstring type = tokens.Next();
    if (type.size() != 1 || !std::wcschr(L"sdbmSDBM", type[0]))
        throw SyntaxError{};
    entry.type = wchar_t(std::towlower(wint_t(type[0])));
    entry.data = tokens.Next();
    entry.hasData = true;
}

std::vector<Entry> ReadEntries(Tokens& tokens)
{
    std::vector<Entry> entries;
    while (!tokens.Accept(L"}"))
    {
        Entry entry;
        std::wstring token = tokens.Next();
        if (SameWord(token, L"ForceRemove") || SameWord(token, L"Delete"))
        {
            entry.forceRemove = SameWord(token, L"ForceRemove");
            entry.remove = !entry.forceRemove;
            token = tokens.Next();
        }
        if (SameWord(token, L"NoRemove"))
        {
            entry.noRemove = true;
            token = tokens.Next();
        }
        if (token == L"{" || token == L"}" || token == L"=")
            throw SyntaxError{};
        if (SameWord(token, L"val"))
        {
            entry.isValue = true;
            entry.name = tokens.Next();
            tokens.Expect(L"=");
            ReadData(tokens, entry);
            entries.push_back(std::move(entry));
            continue;
        }
        if (token.find(L'\\') != std::wstring::npos)
            throw SyntaxError{}; // one key per level
        entry.name = token;
        if (tokens.Accept(L"="))
            ReadData(tokens, entry);
        if (tokens.Accept(L"{"))
            entry.children = ReadEntries(tokens);
        if (entry.remove && (entry.hasData || !entry.children.empty()))
            throw SyntaxError{};
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool FindRoot(const std::wstring& name, HKEY& root)
{
    // The roots that the registry holds; the others of Windows do not exist here.
    if (SameWord(name, L"HKCR") || SameWord(name, L"HKEY_CLASSES_ROOT"))
        root = HKEY_CLASSES_ROOT;
    else if (SameWord(name, L"HKCU") || SameWord(name, L"HKEY_CURRENT_USER"))
        root = HKEY_CURRENT_USER;
    else if (SameWord(name, L"HKLM") || SameWord(name, L"HKEY_LOCAL_MACHINE"))
        root = HKEY_LOCAL_MACHINE;
    else
        return false;
    return true;
}

HRESULT FromStatus(LSTATUS status)
{
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

DWORD SubkeyCount(HKEY key)
{
    DWORD count = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
    return count;
}

// ATL keeps these keys whatever a script says.
void DeleteUnlessProtected(HKEY parent, const std::wstring& name)
{
    if (!IsProtected(name))
        RegDeleteTreeW(parent, name.c_str());
}

HRESULT SetValue(HKEY key, const std::wstring& name, wchar_t type, const std::wstring& data)
{
    std::vector<BYTE> bytes;
    DWORD regType = REG_SZ;
    auto append = [&bytes](const std::wstring& text)
    {
        const BYTE* start = reinterpret_cast<const BYTE*>(text.c_str());
        bytes.insert(bytes.end(), start, start + (text.size() + 1) * sizeof(wchar_t));
    };
    switch (type)
    {
    case L's':
        append(data);
        break;
    case L'd':
    {
        regType = REG_DWORD;
        ULONG number = 0;
        const HRESULT hr = VarUI4FromStr(data.c_str(), 0, 0, &number);
        if (FAILED(hr))
            return hr;
        bytes.resize(sizeof(DWORD));
        std::memcpy(bytes.data(), &number, sizeof(DWORD));
        break;
    }
    case L'b':
        regType = REG_BINARY;
        if (data.size() % 2 != 0)
            return E_FAIL;
        for (size_t i = 0; i < data.size(); i += 2)
        {
            if (!std::iswxdigit(wint_t(data[i])) || !std::iswxdigit(wint_t(data[i + 1])))
                return E_FAIL;
            bytes.push_back(BYTE(std::wcstoul(data.substr(i, 2).c_str(), nullptr, 16)));
        }
        break;
    default: // 'm': the strings are separated by the two characters \0, and the list ends with an empty one
    {
        regType = REG_MULTI_SZ;
        size_t start = 0;
        for (size_t found; (found = data.find(L"\\0", start)) != std::wstring::npos; start = found + 2)
            append(data.substr(start, found - start));
        if (start < data.size())
            append(data.substr(start));
        append(L"");
        break;
    }
    }
    return FromStatus(RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, regType, bytes.data(),
                                     DWORD(bytes.size())));
}

HRESULT Register(const std::vector<Entry>& entries, HKEY parent)
{
    for (const Entry& entry : entries)
    {
        HRESULT hr = S_OK;
        if (entry.isValue)
            hr = SetValue(parent, entry.name, entry.type, entry.data);
        else if (entry.remove)
            DeleteUnlessProtected(parent, entry.name);
        else
        {
            if (entry.forceRemove)
                DeleteUnlessProtected(parent, entry.name);
            CRegKey key;
            hr = FromStatus(key.Create(parent, entry.name.c_str()));
            if (SUCCEEDED(hr) && entry.hasData)
                hr = SetValue(key, L"", entry.type, entry.data);
            if (SUCCEEDED(hr))
                hr = Register(entry.children, key);
        }
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

// Children first; a key goes only when nothing is left below it and it is not NoRemove, and then
// with whatever values it still holds. Missing keys and values are passed over.
HRESULT Unregister(const std::vector<Entry>& entries, HKEY parent)
{
    for (const Entry& entry : entries)
    {
        if (entry.isValue)
        {
            if (!entry.noRemove)
                RegDeleteValueW(parent, entry.name.c_str());
            continue;
        }
        bool empty = false;
        {
            CRegKey key;
            if (key.Open(parent, entry.name.c_str(), KEY_READ) != ERROR_SUCCESS)
                continue;
            const HRESULT hr = Unregister(entry.children, key);
            if (FAILED(hr))
                return hr;
            empty = SubkeyCount(key) == 0;
        }
        if (!entry.noRemove && empty)
        {
            const LSTATUS status = RegDeleteKeyW(parent, entry.name.c_str());
            if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
                return FromStatus(status);
        }
    }
    return S_OK;
}
} // namespace

HRESULT Replace(const std::wstring& text, const Replacements& replacements, std::wstring& result)
{
    result.clear();
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != L'%')
        {
            result += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == L'%')
        {
            result += L'%';
            ++i;
            continue;
        }
        const size_t close = text.find(L'%', i + 1);
        if (close == std::wstring::npos)
            return DISP_E_EXCEPTION;
        const std::wstring name = text.substr(i + 1, close - i - 1);
        if (name.size() > kMaxReplacementName)
            return E_FAIL;
        const std::wstring* value = nullptr;
        for (const auto& [key, item] : replacements)
            if (!value && SameWord(name, key.c_str()))
                value = &item;
        if (!value)
            return DISP_E_EXCEPTION;
        result += *value;
        i = close;
    }
    return S_OK;
}

HRESULT Run(const std::wstring& script, bool bRegister)
{
    Tokens tokens(script);
    try
    {
        while (!tokens.AtEnd())
        {
            HKEY root = nullptr;
            if (!FindRoot(tokens.Next(), root))
                return DISP_E_EXCEPTION;
            tokens.Expect(L"{");
            const std::vector<Entry> block = ReadEntries(tokens);
            if (!bRegister)
            {
                const HRESULT hr = Unregister(block, root);
                if (FAILED(hr))
                    return hr;
                continue;
            }
            const HRESULT hr = Register(block, root);
            if (FAILED(hr))
            {
                Unregister(block, root);
                return hr;
            }
        }
    }
    catch (const SyntaxError&)
    {
        return DISP_E_EXCEPTION;
    }
    return S_OK;
}
} // namespace ATL::registrar
