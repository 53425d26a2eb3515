// Writing and reading the registry editor's export format.
#include "RegFile.h"

#include "TextEncoding.h"

#include "winreg.h"

#include "ui/ScriptedDriver.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace platform::registry
{
namespace
{
const char kHeader[] = "Windows Registry Editor Version 5.00";

std::string EscapedString(const std::wstring& text)
{
    std::string out = "\"";
    for (char c : ui::Utf8(text))
    {
        if (c == '\\' || c == '"')
            out += '\\', out += c;
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out + "\"";
}

// The text of a REG_SZ, when its bytes are whole wide characters with one closing null and no other.
bool PlainString(const std::vector<BYTE>& data, std::wstring& text)
{
    if (data.empty() || data.size() % sizeof(wchar_t) != 0)
        return false;
    text.assign(data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), data.data(), data.size());
    if (text.back() != L'\0')
        return false;
    text.pop_back();
    return text.find(L'\0') == std::wstring::npos;
}

std::string HexBytes(const std::vector<BYTE>& data)
{
    std::string out;
    char byte[4];
    for (size_t i = 0; i < data.size(); ++i)
    {
        std::snprintf(byte, sizeof byte, i ? ",%02x" : "%02x", data[i]);
        out += byte;
    }
    return out;
}

std::string ValueText(const Value& value)
{
    std::wstring text;
    if (value.type == REG_SZ && PlainString(value.data, text))
        return EscapedString(text);
    if (value.type == REG_DWORD && value.data.size() == sizeof(DWORD))
    {
        DWORD number;
        std::memcpy(&number, value.data.data(), sizeof number);
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "dword:%08x", number);
        return buffer;
    }
    if (value.type == REG_BINARY)
        return "hex:" + HexBytes(value.data);
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
    return prefix + HexBytes(value.data);
}

void FormatKey(const Key& key, const std::wstring& path, bool isRoot, std::string& out)
{
    if (!isRoot || !key.values.empty())
    {
        out += "\n[" + ui::Utf8(path) + "]\n";
        for (const Value& value : key.values)
            out += (value.name.empty() ? std::string("@") : EscapedString(value.name)) + "=" +
                   ValueText(value) + "\n";
    }
    for (const auto& [folded, child] : key.subkeys)
        FormatKey(*child, path + L"\\" + child->name, false, out);
}

class Parser
{
public:
    Parser(const std::string& text, Tree& tree) : m_input(text), m_tree(tree) {}

    bool Run(std::string& error)
    {
        std::string line;
        const std::string byteOrderMark = "\xEF\xBB\xBF";
        if (NextLine(line) && line.compare(0, byteOrderMark.size(), byteOrderMark) == 0)
            line.erase(0, byteOrderMark.size());
        if (m_lineNumber == 0 || line != kHeader)
            return Fail("the first line is not \"" + std::string(kHeader) + "\"", error);
        while (NextLine(line))
        {
            const size_t first = line.find_first_not_of(" \t");
            if (first == std::string::npos || line[first] == ';')
                continue;
            line.erase(0, first);
            const bool ok = line[0] == '[' ? KeyLine(line) : ValueLine(line);
            if (!ok)
                return Fail(m_problem, error);
        }
        return true;
    }

private:
    bool NextLine(std::string& line)
    {
        if (!std::getline(m_input, line))
            return false;
        ++m_lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    }

    bool Fail(const std::string& problem, std::string& error)
    {
        error = "line " + std::to_string(m_lineNumber) + ": " + problem;
        return false;
    }

    bool Problem(const std::string& problem)
    {
        m_problem = problem;
        return false;
    }

    bool KeyLine(const std::string& line)
    {
        const size_t close = line.find_last_of(']');
        if (close == std::string::npos || line.find_first_not_of(" \t", close + 1) != std::string::npos)
            return Problem("a key line must end with ']'");
        std::wstring path;
        if (!DecodeUtf8(line.substr(1, close - 1), path))
            return Problem("the key name is not valid UTF-8");
        const size_t separator = path.find(L'\\');
        Root root;
        if (!FindRoot(std::wstring_view(path).substr(0, separator), root))
            return Problem("unknown root key");
        std::vector<std::wstring> names;
        if (separator != std::wstring::npos &&
            !SplitKeyPath(std::wstring_view(path).substr(separator + 1), names))
            return Problem("empty key name in the path");
        m_key = &m_tree.RootKey(root);
        for (const std::wstring& name : names)
            m_key = &m_key->AddSubkey(name);
        return true;
    }

    // A quoted string starting at `pos`; leaves `pos` after the closing quote.
    bool QuotedString(const std::string& line, size_t& pos, std::wstring& text)
    {
        std::string raw;
        for (++pos; pos < line.size() && line[pos] != '"'; ++pos)
        {
            if (line[pos] != '\\')
            {
                raw += line[pos];
                continue;
            }
            if (++pos == line.size())
                break;
            const char escaped = line[pos];
            if (escaped == 'n')
                raw += '\n';
            else if (escaped == 'r')
                raw += '\r';
            else if (escaped == '\\' || escaped == '"')
                raw += escaped;
            else
                return Problem(std::string("unknown escape \\") + escaped);
        }
        if (pos >= line.size())
            return Problem("a string is not closed");
        ++pos;
        if (!DecodeUtf8(raw, text))
            return Problem("a string is not valid UTF-8");
        return true;
    }

    bool ValueLine(const std::string& line)
    {
        if (!m_key)
            return Problem("a value before the first key");
        size_t pos = 0;
        std::wstring name;
        if (line[0] == '@')
            pos = 1;
        else if (line[0] != '"')
            return Problem("a value line must start with '@' or a quoted name");
        else if (!QuotedString(line, pos, name))
            return false;
        if (pos >= line.size() || line[pos] != '=')
            return Problem("'=' expected after the value name");
        ++pos;
        DWORD type;
        std::vector<BYTE> data;
        if (pos < line.size() && line[pos] == '"')
        {
            std::wstring text;
            if (!QuotedString(line, pos, text))
                return false;
            if (!OnlyBlanksFrom(line, pos))
                return Problem("unexpected text after the string");
            text += L'\0';
            type = REG_SZ;
            data.resize(text.size() * sizeof(wchar_t));
            std::memcpy(data.data(), text.data(), data.size());
        }
        else if (line.compare(pos, 6, "dword:") == 0)
        {
            DWORD number = 0;
            const std::string digits = Trimmed(line.substr(pos + 6));
            if (digits.size() != 8 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                return Problem("a dword needs eight hexadecimal digits");
            number = DWORD(std::stoul(digits, nullptr, 16));
            type = REG_DWORD;
            data.resize(sizeof number);
            std::memcpy(data.data(), &number, sizeof number);
        }
        else if (line.compare(pos, 3, "hex") == 0)
        {
            if (!HexValue(line, pos + 3, type, data))
                return false;
        }
        else
            return Problem("unknown kind of value");
        m_key->SetValue(name, type, std::move(data));
        return true;
    }

    static std::string Trimmed(const std::string& text)
    {
        const size_t first = text.find_first_not_of(" \t");
        if (first == std::string::npos)
            return "";
        return text.substr(first, text.find_last_not_of(" \t") - first + 1);
    }

    static bool OnlyBlanksFrom(const std::string& line, size_t pos)
    {
        return line.find_first_not_of(" \t", pos) == std::string::npos;
    }

    bool HexValue(const std::string& line, size_t pos, DWORD& type, std::vector<BYTE>& data)
    {
        type = REG_BINARY;
        if (pos < line.size() && line[pos] == '(')
        {
            const size_t close = line.find(')', pos);
            const std::string digits =
                close == std::string::npos ? "" : line.substr(pos + 1, close - pos - 1);
            if (digits.empty() || digits.size() > 8 ||
                digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                return Problem("hex(...) needs a hexadecimal type");
            type = DWORD(std::stoul(digits, nullptr, 16));
            pos = close + 1;
        }
        if (pos >= line.size() || line[pos] != ':')
            return Problem("':' expected after hex");
        std::string bytes = line.substr(pos + 1);
        // A long list may go on over further lines, each but the last ending in a backslash.
        while (!Trimmed(bytes).empty() && Trimmed(bytes).back() == '\\')
        {
            bytes = Trimmed(bytes);
            bytes.pop_back();
            std::string next;
            if (!NextLine(next))
                return Problem("the file ends inside a list of bytes");
            bytes += next;
        }
        std::stringstream items(bytes);
        std::string item;
        while (std::getline(items, item, ','))
        {
            item = Trimmed(item);
            if (item.size() != 2 || item.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                return Problem("a byte must be two hexadecimal digits");
            data.push_back(BYTE(std::stoul(item, nullptr, 16)));
        }
        if (!Trimmed(bytes).empty() && Trimmed(bytes).back() == ',')
            return Problem("a list of bytes ends with ','");
        return true;
    }

    std::istringstream m_input;
    Tree& m_tree;
    Key* m_key = nullptr;
    int m_lineNumber = 0;
    std::string m_problem;
};
} // namespace

std::string FormatRegFile(const Tree& tree)
{
    std::string out = std::string(kHeader) + "\n";
    for (int i = 0; i < kRootCount; ++i)
        FormatKey(tree.roots[i], RootName(Root(i)), true, out);
    return out;
}

bool ParseRegFile(const std::string& text, Tree& tree, std::string& error)
{
    return Parser(text, tree).Run(error);
}
} // namespace platform::registry
