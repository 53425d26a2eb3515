// The interface-definition subset that automation type libraries use: imports, interfaces with
// their attribute lists, dispinterfaces, coclasses and one library block.
#include "idl/TypeLibrarySource.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace idl
{
namespace
{
struct Token
{
    enum class Kind
    {
        Name,
        Number,
        String,
        Punctuation,
        End,
    };
    Kind kind;
    std::string text;
    int line;
};

class Lexer
{
public:
    Lexer(const std::string& text, const std::string& sourceName) : m_text(text), m_source(sourceName) {}

    Token Next()
    {
        SkipSpaceAndComments();
        if (m_pos >= m_text.size())
            return {Token::Kind::End, "", m_line};
        const char c = m_text[m_pos];
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_')
            return Take(Token::Kind::Name,
                        [](char x) { return std::isalnum(static_cast<unsigned char>(x)) || x == '_'; });
        if (std::isdigit(static_cast<unsigned char>(c)))
            return Take(Token::Kind::Number,
                        [](char x) { return std::isalnum(static_cast<unsigned char>(x)) || x == '.'; });
        if (c == '"')
            return QuotedString();
        if (c == '#')
            Fail("preprocessor lines are not supported");
        ++m_pos;
        return {Token::Kind::Punctuation, std::string(1, c), m_line};
    }

    // The raw text up to the next ')', for uuid(...), whose digits are not one token.
    Token RawUntilParenthesis()
    {
        SkipSpaceAndComments();
        const size_t end = m_text.find(')', m_pos);
        if (end == std::string::npos)
            Fail("')' expected");
        std::string raw = m_text.substr(m_pos, end - m_pos);
        while (!raw.empty() && std::isspace(static_cast<unsigned char>(raw.back())))
            raw.pop_back();
        m_pos = end;
        return {Token::Kind::String, raw, m_line};
    }

    [[noreturn]] void Fail(const std::string& what) const { FailAt(m_line, what); }
    [[noreturn]] void FailAt(int line, const std::string& what) const
    {
        throw std::runtime_error(m_source + ":" + std::to_string(line) + ": " + what);
    }

private:
    template <typename Predicate> Token Take(Token::Kind kind, Predicate inToken)
    {
        const size_t start = m_pos;
        while (m_pos < m_text.size() && inToken(m_text[m_pos]))
            ++m_pos;
        return {kind, m_text.substr(start, m_pos - start), m_line};
    }

    Token QuotedString()
    {
        const int line = m_line;
        std::string text;
        for (++m_pos; m_pos < m_text.size() && m_text[m_pos] != '"'; ++m_pos)
        {
            if (m_text[m_pos] == '\n')
                Fail("a string must end on its line");
            if (m_text[m_pos] == '\\' && m_pos + 1 < m_text.size())
                ++m_pos;
            text += m_text[m_pos];
        }
        if (m_pos >= m_text.size())
            Fail("unterminated string");
        ++m_pos;
        return {Token::Kind::String, text, line};
    }

    void SkipSpaceAndComments()
    {
        while (m_pos < m_text.size())
        {
            const char c = m_text[m_pos];
            if (c == '\n')
            {
                ++m_line;
                ++m_pos;
            }
            else if (std::isspace(static_cast<unsigned char>(c)))
                ++m_pos;
            else if (m_text.compare(m_pos, 2, "//") == 0)
                m_pos = std::min(m_text.find('\n', m_pos), m_text.size());
            else if (m_text.compare(m_pos, 2, "/*") == 0)
            {
                const size_t end = m_text.find("*/", m_pos + 2);
                if (end == std::string::npos)
                    Fail("unterminated comment");
                for (size_t i = m_pos; i < end; ++i)
                    m_line += m_text[i] == '\n';
                m_pos = end + 2;
            }
            else
                return;
        }
    }

    const std::string& m_text;
    std::string m_source;
    size_t m_pos = 0;
    int m_line = 1;
};

struct Attribute
{
    std::string name;
    std::string argument; // empty when the attribute takes none
    int line;
};

struct BaseType
{
    const char* spelling;
    VARTYPE vt;
};

// The automation types a dual or dispatch interface may use, as the source spells them.
constexpr BaseType kBaseTypes[] = {
    {"void", VT_VOID},
    {"HRESULT", VT_HRESULT},
    {"long", VT_I4},
    {"unsigned long", VT_UI4},
    {"int", VT_INT},
    {"unsigned int", VT_UINT},
    {"short", VT_I2},
    {"unsigned short", VT_UI2},
    {"char", VT_I1},
    {"unsigned char", VT_UI1},
    {"BYTE", VT_UI1},
    {"float", VT_R4},
    {"double", VT_R8},
    {"BSTR", VT_BSTR},
    {"VARIANT_BOOL", VT_BOOL},
    {"VARIANT", VT_VARIANT},
    {"IDispatch", VT_DISPATCH},
    {"IUnknown", VT_UNKNOWN},
    {"SCODE", VT_ERROR},
};

class Parser
{
public:
    Parser(const std::string& text, const std::string& sourceName) : m_lexer(text, sourceName) { Advance(); }

    Library Run()
    {
        bool haveLibrary = false;
        while (m_token.kind != Token::Kind::End)
        {
            if (IsName("import"))
            {
                Advance();
                ExpectKind(Token::Kind::String, "a file name");
                while (Accept(","))
                    ExpectKind(Token::Kind::String, "a file name");
                Expect(";");
                continue;
            }
            const std::vector<Attribute> attributes = Attributes();
            if (IsName("library"))
            {
                if (haveLibrary)
                    m_lexer.Fail("only one library block is allowed");
                haveLibrary = true;
                LibraryBlock(attributes);
            }
            else
                Definition(attributes);
        }
        if (!haveLibrary)
            m_lexer.Fail("no library block");
        for (const CoClass& coclass : m_library.coclasses)
            for (const CoClassMember& member : coclass.members)
                if (!m_library.FindInterface(member.interfaceName))
                    m_lexer.Fail("coclass " + coclass.name + " names the undefined interface " +
                                 member.interfaceName);
        return std::move(m_library);
    }

private:
    void Advance() { m_token = m_lexer.Next(); }

    bool IsName(const char* name) const { return m_token.kind == Token::Kind::Name && m_token.text == name; }
    bool Is(const char* punctuation) const
    {
        return m_token.kind == Token::Kind::Punctuation && m_token.text == punctuation;
    }

    bool Accept(const char* punctuation)
    {
        if (!Is(punctuation))
            return false;
        Advance();
        return true;
    }

    void Expect(const char* punctuation)
    {
        if (!Accept(punctuation))
            Unexpected(std::string("'") + punctuation + "'");
    }

    std::string ExpectKind(Token::Kind kind, const char* what)
    {
        if (m_token.kind != kind)
            Unexpected(what);
        std::string text = m_token.text;
        Advance();
        return text;
    }

    std::string Name() { return ExpectKind(Token::Kind::Name, "a name"); }

    [[noreturn]] void Unexpected(const std::string& expected) const
    {
        m_lexer.Fail(expected + " expected, not '" + m_token.text + "'");
    }

    std::vector<Attribute> Attributes()
    {
        std::vector<Attribute> attributes;
        if (!Accept("["))
            return attributes;
        do
        {
            Attribute attribute{Name(), "", m_token.line};
            if (Is("("))
            {
                if (attribute.name == "uuid")
                {
                    attribute.argument = m_lexer.RawUntilParenthesis().text;
                    Advance();
                }
                else
                {
                    Advance();
                    // A string, a number or a name: helpstring("x"), id(3), version(1.0), lcid(0x409).
                    if (Is(")"))
                        Unexpected("an argument");
                    attribute.argument = m_token.text;
                    Advance();
                }
                Expect(")");
            }
            attributes.push_back(attribute);
        } while (Accept(","));
        Expect("]");
        return attributes;
    }

    // Only the attributes a place allows; a misspelt or unsupported one is an error, not ignored.
    static const Attribute* Find(const std::vector<Attribute>& attributes, const char* name)
    {
        for (const Attribute& attribute : attributes)
            if (attribute.name == name)
                return &attribute;
        return nullptr;
    }

    void Allow(const std::vector<Attribute>& attributes, std::initializer_list<const char*> allowed,
               const char* where) const
    {
        for (const Attribute& attribute : attributes)
        {
            bool known = false;
            for (const char* name : allowed)
                known = known || attribute.name == name;
            if (!known)
                m_lexer.FailAt(attribute.line,
                               "the attribute " + attribute.name + " is not supported on " + where);
        }
    }

    GUID Uuid(const std::vector<Attribute>& attributes, const std::string& owner) const
    {
        const Attribute* uuid = Find(attributes, "uuid");
        if (!uuid)
            m_lexer.Fail(owner + " has no uuid");
        GUID guid{};
        if (!ParseGuid(uuid->argument, guid))
            m_lexer.FailAt(uuid->line, "'" + uuid->argument + "' is not a GUID");
        return guid;
    }

    static bool ParseGuid(const std::string& text, GUID& guid)
    {
        // XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX, as MIDL writes it without braces.
        if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
            return false;
        std::string digits;
        for (size_t i = 0; i < text.size(); ++i)
        {
            if (i == 8 || i == 13 || i == 18 || i == 23)
                continue;
            if (!std::isxdigit(static_cast<unsigned char>(text[i])))
                return false;
            digits += text[i];
        }
        auto field = [&](size_t at, size_t count)
        { return std::strtoul(digits.substr(at, count).c_str(), nullptr, 16); };
        guid.Data1 = uint32_t(field(0, 8));
        guid.Data2 = uint16_t(field(8, 4));
        guid.Data3 = uint16_t(field(12, 4));
        for (size_t i = 0; i < 8; ++i)
            guid.Data4[i] = uint8_t(field(16 + 2 * i, 2));
        return true;
    }

    static std::string HelpString(const std::vector<Attribute>& attributes)
    {
        const Attribute* help = Find(attributes, "helpstring");
        return help ? help->argument : std::string();
    }

    long Number(const Attribute& attribute) const
    {
        char* end = nullptr;
        const long value = std::strtol(attribute.argument.c_str(), &end, 0);
        if (attribute.argument.empty() || *end)
            m_lexer.FailAt(attribute.line, attribute.name + " needs a number");
        return value;
    }

    void LibraryBlock(const std::vector<Attribute>& attributes)
    {
        Allow(attributes, {"uuid", "version", "helpstring", "lcid"}, "a library");
        Advance();
        m_library.name = Name();
        m_library.uuid = Uuid(attributes, "library " + m_library.name);
        m_library.helpString = HelpString(attributes);
        if (const Attribute* lcid = Find(attributes, "lcid"))
            m_library.lcid = LCID(Number(*lcid));
        if (const Attribute* version = Find(attributes, "version"))
        {
            unsigned major = 0, minor = 0;
            char extra = 0;
            if (std::sscanf(version->argument.c_str(), "%u.%u%c", &major, &minor, &extra) != 2 ||
                major > 0xFFFF || minor > 0xFFFF)
                m_lexer.FailAt(version->line, "version needs major.minor");
            m_library.majorVersion = WORD(major);
            m_library.minorVersion = WORD(minor);
        }
        Expect("{");
        while (!Accept("}"))
        {
            if (IsName("importlib"))
            {
                Advance();
                Expect("(");
                ExpectKind(Token::Kind::String, "a file name");
                Expect(")");
                Expect(";");
                continue;
            }
            Definition(Attributes());
        }
        Accept(";");
    }

    void Definition(const std::vector<Attribute>& attributes)
    {
        if (IsName("interface"))
            InterfaceDefinition(attributes);
        else if (IsName("dispinterface"))
            DispinterfaceDefinition(attributes);
        else if (IsName("coclass"))
            CoClassDefinition(attributes);
        else
            Unexpected("interface, dispinterface, coclass or library");
    }

    Interface& NewInterface(const std::vector<Attribute>& attributes)
    {
        Advance();
        Interface definition;
        definition.name = Name();
        if (m_library.FindInterface(definition.name))
            m_lexer.Fail("interface " + definition.name + " is defined twice");
        definition.uuid = Uuid(attributes, "interface " + definition.name);
        definition.helpString = HelpString(attributes);
        definition.nonextensible = Find(attributes, "nonextensible") != nullptr;
        definition.oleautomation = Find(attributes, "oleautomation") != nullptr;
        m_library.interfaces.push_back(definition);
        return m_library.interfaces.back();
    }

    void InterfaceDefinition(const std::vector<Attribute>& attributes)
    {
        Allow(attributes,
              {"object", "uuid", "dual", "nonextensible", "oleautomation", "helpstring", "pointer_default"},
              "an interface");
        Interface& definition = NewInterface(attributes);
        definition.kind = Find(attributes, "dual") ? InterfaceKind::Dual : InterfaceKind::Custom;
        Expect(":");
        definition.base = Name();
        if (definition.base != "IDispatch" && definition.base != "IUnknown")
            m_lexer.Fail("an interface must derive from IDispatch or IUnknown");
        if (definition.kind == InterfaceKind::Dual && definition.base != "IDispatch")
            m_lexer.Fail("a dual interface must derive from IDispatch");
        Expect("{");
        Methods(definition, false);
        Accept(";");
    }

    void DispinterfaceDefinition(const std::vector<Attribute>& attributes)
    {
        Allow(attributes, {"uuid", "helpstring", "nonextensible"}, "a dispinterface");
        Interface& definition = NewInterface(attributes);
        definition.kind = InterfaceKind::Dispatch;
        Expect("{");
        if (!IsName("properties"))
            Unexpected("properties:");
        Advance();
        Expect(":");
        if (!IsName("methods"))
            Unexpected("methods: (dispinterface properties are not supported)");
        Advance();
        Expect(":");
        Methods(definition, true);
        Accept(";");
    }

    // Methods up to the closing brace. Without an id, MIDL numbers the methods of a dual
    // interface from 0x60020000 by position; a dispinterface method must carry one.
    void Methods(Interface& definition, bool idRequired)
    {
        while (!Accept("}"))
        {
            const std::vector<Attribute> attributes = Attributes();
            Allow(attributes, {"id", "helpstring"}, "a method");
            Method method;
            method.result = TypeName();
            method.name = Name();
            for (const Method& other : definition.methods)
                if (other.name == method.name)
                    m_lexer.Fail("method " + method.name + " is defined twice");
            if (const Attribute* id = Find(attributes, "id"))
                method.id = DISPID(Number(*id));
            else if (idRequired)
                m_lexer.Fail("method " + method.name + " needs an id");
            else
                method.id = DISPID(0x60020000 + definition.methods.size());
            for (const Method& other : definition.methods)
                if (other.id == method.id)
                    m_lexer.Fail("method " + method.name + " repeats the id of " + other.name);
            method.helpString = HelpString(attributes);
            if (definition.kind != InterfaceKind::Dispatch && method.result.vt != VT_HRESULT)
                m_lexer.Fail("method " + method.name + " must return HRESULT");
            Expect("(");
            Parameters(method);
            Expect(";");
            definition.methods.push_back(std::move(method));
        }
    }

    void Parameters(Method& method)
    {
        if (IsName("void"))
        {
            Advance();
            Expect(")");
            return;
        }
        if (Accept(")"))
            return;
        do
        {
            const std::vector<Attribute> attributes = Attributes();
            Allow(attributes, {"in", "out", "retval"}, "a parameter");
            Parameter parameter;
            parameter.in = Find(attributes, "in") != nullptr;
            parameter.out = Find(attributes, "out") != nullptr;
            parameter.retval = Find(attributes, "retval") != nullptr;
            if (!parameter.in && !parameter.out)
                parameter.in = true; // MIDL's default direction
            parameter.type = TypeName();
            parameter.name = Name();
            if (parameter.type.vt == VT_VOID)
                m_lexer.Fail("parameter " + parameter.name + " cannot be void");
            if (parameter.out && parameter.type.pointers == 0)
                m_lexer.Fail("out-parameter " + parameter.name + " must be a pointer");
            if (parameter.retval && !parameter.out)
                m_lexer.Fail("retval parameter " + parameter.name + " must also be out");
            method.parameters.push_back(parameter);
        } while (Accept(","));
        Expect(")");
        for (size_t i = 0; i + 1 < method.parameters.size(); ++i)
            if (method.parameters[i].retval)
                m_lexer.Fail("the retval parameter of " + method.name + " must come last");
    }

    Type TypeName()
    {
        std::string spelling = Name();
        if (spelling == "unsigned")
            spelling += " " + Name();
        Type type;
        type.spelling = spelling;
        bool known = false;
        for (const BaseType& base : kBaseTypes)
            if (spelling == base.spelling)
            {
                type.vt = base.vt;
                known = true;
            }
        if (!known)
            m_lexer.Fail("the type " + spelling + " is not supported");
        while (Accept("*"))
            ++type.pointers;
        // An interface type is always used through a pointer; that pointer is part of its type.
        if (type.vt == VT_DISPATCH || type.vt == VT_UNKNOWN)
        {
            if (type.pointers == 0)
                m_lexer.Fail(spelling + " must be used through a pointer");
            --type.pointers;
        }
        return type;
    }

    void CoClassDefinition(const std::vector<Attribute>& attributes)
    {
        Allow(attributes, {"uuid", "helpstring"}, "a coclass");
        Advance();
        CoClass coclass;
        coclass.name = Name();
        coclass.uuid = Uuid(attributes, "coclass " + coclass.name);
        coclass.helpString = HelpString(attributes);
        Expect("{");
        while (!Accept("}"))
        {
            const std::vector<Attribute> memberAttributes = Attributes();
            Allow(memberAttributes, {"default", "source"}, "a coclass member");
            if (!IsName("interface") && !IsName("dispinterface"))
                Unexpected("interface or dispinterface");
            Advance();
            CoClassMember member;
            member.interfaceName = Name();
            member.isDefault = Find(memberAttributes, "default") != nullptr;
            member.isSource = Find(memberAttributes, "source") != nullptr;
            Expect(";");
            coclass.members.push_back(member);
        }
        Accept(";");
        m_library.coclasses.push_back(std::move(coclass));
    }

    Lexer m_lexer;
    Token m_token{Token::Kind::End, "", 0};
    Library m_library;
};
} // namespace

const Interface* Library::FindInterface(const std::string& interfaceName) const
{
    for (const Interface& definition : interfaces)
        if (definition.name == interfaceName)
            return &definition;
    return nullptr;
}

Library ParseLibrary(const std::string& text, const std::string& sourceName)
{
    return Parser(text, sourceName).Run();
}

std::string GuidText(const GUID& guid)
{
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  unsigned(guid.Data1), unsigned(guid.Data2), unsigned(guid.Data3), guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6],
                  guid.Data4[7]);
    return text;
}
} // namespace idl
