// A recursive-descent reader of the statements, with macros expanded where names are read.
#include "ScriptParser.h"

#include "DialogTemplate.h"
#include "Symbols.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace rc
{
namespace
{
constexpr uint32_t WS_POPUP = 0x80000000, WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000,
                   WS_CAPTION = 0x00C00000, WS_BORDER = 0x00800000, WS_SYSMENU = 0x00080000,
                   WS_GROUP = 0x00020000, WS_TABSTOP = 0x00010000, DS_SETFONT = 0x40;

// Control statements other than CONTROL: their class, default style, and whether text comes first.
struct ControlKeyword
{
    const char* keyword;
    uint16_t classAtom;
    uint32_t defaultStyle;
    bool hasText;
};
constexpr uint16_t kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kListBox = 0x83, kComboBox = 0x85;
const ControlKeyword kControlKeywords[] = {
    {"LTEXT", kStatic, 0x0 | WS_GROUP, true},
    {"CTEXT", kStatic, 0x1 | WS_GROUP, true},
    {"RTEXT", kStatic, 0x2 | WS_GROUP, true},
    {"PUSHBUTTON", kButton, 0x0 | WS_TABSTOP, true},
    {"DEFPUSHBUTTON", kButton, 0x1 | WS_TABSTOP, true},
    {"CHECKBOX", kButton, 0x2 | WS_TABSTOP, true},
    {"AUTOCHECKBOX", kButton, 0x3 | WS_TABSTOP, true},
    {"RADIOBUTTON", kButton, 0x4 | WS_TABSTOP, true},
    {"STATE3", kButton, 0x5 | WS_TABSTOP, true},
    {"AUTO3STATE", kButton, 0x6 | WS_TABSTOP, true},
    {"GROUPBOX", kButton, 0x7, true},
    {"AUTORADIOBUTTON", kButton, 0x9 | WS_TABSTOP, true},
    {"EDITTEXT", kEdit, 0x0 | WS_BORDER | WS_TABSTOP, false},
    {"LISTBOX", kListBox, 0x1 | WS_BORDER, false},
    {"COMBOBOX", kComboBox, 0x1 | WS_TABSTOP, false},
};

// Flags that old scripts put after the type; they mean nothing to a module here.
const char* const kMemoryFlags[] = {"PRELOAD",     "LOADONCALL", "FIXED", "MOVEABLE",
                                    "DISCARDABLE", "PURE",       "IMPURE"};

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

class Parser
{
public:
    Parser(std::vector<Token> tokens, const std::map<std::string, std::vector<Token>>& macros,
           std::vector<std::string> folders, std::vector<std::string>& filesRead)
        : m_tokens(std::move(tokens)), m_macros(macros), m_folders(std::move(folders)), m_filesRead(filesRead)
    {
    }

    std::vector<Resource> Run()
    {
        while (Peek())
        {
            if (IsName("LANGUAGE"))
            {
                Next();
                m_language = LanguageId();
                continue;
            }
            Statement();
        }
        return std::move(m_resources);
    }

private:
    // The token at the cursor after expanding macros, or null at the end.
    const Token* Peek()
    {
        for (int expansions = 0; m_pos < m_tokens.size(); ++expansions)
        {
            const Token& token = m_tokens[m_pos];
            const auto macro = token.kind == Token::Kind::Name ? m_macros.find(token.text) : m_macros.end();
            if (macro == m_macros.end())
                return &m_tokens[m_pos];
            if (expansions > 64)
                throw std::runtime_error(token.where + ": " + token.text + " expands without end");
            m_tokens.erase(m_tokens.begin() + long(m_pos));
            m_tokens.insert(m_tokens.begin() + long(m_pos), macro->second.begin(), macro->second.end());
        }
        return nullptr;
    }

    Token Next()
    {
        const Token* token = Peek();
        if (!token)
            throw std::runtime_error(Where() + ": the script ends too early");
        return m_tokens[m_pos++];
    }

    std::string Where() const
    {
        if (m_tokens.empty())
            return "script";
        return m_tokens[std::min(m_pos, m_tokens.size() - 1)].where;
    }

    bool IsName(const char* name)
    {
        const Token* token = Peek();
        return token && token->kind == Token::Kind::Name && Upper(token->text) == name;
    }

    bool IsPunctuation(const char* mark)
    {
        const Token* token = Peek();
        return token && token->kind == Token::Kind::Punctuation && token->text == mark;
    }

    void Expect(const char* mark)
    {
        if (!IsPunctuation(mark))
            throw std::runtime_error(Where() + ": '" + mark + "' expected");
        ++m_pos;
    }

    // An optional comma before a further argument.
    bool Comma()
    {
        if (!IsPunctuation(","))
            return false;
        ++m_pos;
        return true;
    }

    [[noreturn]] void Fail(const Token& token, const std::string& what)
    {
        throw std::runtime_error(token.where + ": " + what + " expected, not '" + token.text + "'");
    }

    // primary := number | symbol | ( expression ) | - primary
    long long Primary()
    {
        const Token token = Next();
        if (token.kind == Token::Kind::Number)
            return token.number;
        if (token.kind == Token::Kind::Punctuation && token.text == "(")
        {
            const long long value = Expression(0);
            Expect(")");
            return value;
        }
        if (token.kind == Token::Kind::Punctuation && token.text == "-")
            return -Primary();
        long long value;
        if (token.kind == Token::Kind::Name && FindBuiltinSymbol(token.text, value))
            return value;
        Fail(token, "a number");
    }

    // sum := primary (+|- primary)*
    long long Sum()
    {
        long long value = Primary();
        while (IsPunctuation("+") || IsPunctuation("-"))
            value = Next().text == "+" ? value + Primary() : value - Primary();
        return value;
    }

    // expression := [NOT] sum (| [NOT] sum)*, starting from a default: NOT clears bits from it.
    long long Expression(long long start)
    {
        long long value = start;
        for (;;)
        {
            if (IsName("NOT"))
            {
                Next();
                value &= ~Sum();
            }
            else
                value |= Sum();
            if (!IsPunctuation("|"))
                return value;
            Next();
        }
    }

    std::string String()
    {
        const Token token = Next();
        if (token.kind != Token::Kind::String)
            Fail(token, "a string");
        return token.text;
    }

    uint16_t LanguageId()
    {
        const long long primary = Expression(0);
        Expect(",");
        const long long sub = Expression(0);
        return uint16_t((sub << 10) | primary);
    }

    ResourceName Name(const Token& token)
    {
        ResourceName name;
        if (token.kind == Token::Kind::Number)
            name.number = uint16_t(token.number);
        else if (token.kind == Token::Kind::Name || token.kind == Token::Kind::String)
        {
            name.isText = true;
            name.text = Upper(token.text);
        }
        else
            Fail(token, "a resource name");
        return name;
    }

    void Statement()
    {
        const ResourceName name = Name(Next());
        const Token type = Next();
        const std::string keyword = type.kind == Token::Kind::Name ? Upper(type.text) : "";
        if (keyword == "DIALOGEX")
            return DialogStatement(name);
        if (keyword == "DIALOG" || keyword == "STRINGTABLE" || keyword == "MENU" ||
            keyword == "ACCELERATORS" || keyword == "VERSIONINFO")
            throw std::runtime_error(type.where + ": " + keyword + " resources are not supported");
        ResourceName typeName;
        if (keyword == "DLGINIT")
            typeName.number = kTypeDialogInit;
        else if (keyword == "BITMAP")
            typeName.number = kTypeBitmap;
        else if (keyword == "RCDATA")
            typeName.number = kTypeRawData;
        else
            typeName = Name(type);
        while (Peek() && Peek()->kind == Token::Kind::Name &&
               std::find(std::begin(kMemoryFlags), std::end(kMemoryFlags), Upper(Peek()->text)) !=
                   std::end(kMemoryFlags))
            Next();
        Resource resource{typeName, name, m_language, {}};
        if (Peek() && Peek()->kind == Token::Kind::String)
            resource.data = FileData(String(), !typeName.isText && typeName.number == kTypeBitmap);
        else
            resource.data = RawData();
        m_resources.push_back(std::move(resource));
    }

    bool BlockStart()
    {
        if (IsName("BEGIN") || IsPunctuation("{"))
        {
            ++m_pos;
            return true;
        }
        return false;
    }

    bool BlockEnd()
    {
        if (IsName("END") || IsPunctuation("}"))
        {
            ++m_pos;
            return true;
        }
        return false;
    }

    // Numbers as 16-bit words (32 bits with an L suffix), strings as their bytes without a null;
    // commas between items are optional.
    std::vector<uint8_t> RawData()
    {
        if (!BlockStart())
            throw std::runtime_error(Where() + ": a file name or BEGIN expected");
        std::vector<uint8_t> data;
        while (!BlockEnd())
        {
            if (Comma())
                continue;
            const Token* token = Peek();
            if (!token)
                throw std::runtime_error(Where() + ": END expected");
            if (token->kind == Token::Kind::String)
            {
                const std::string text = String();
                data.insert(data.end(), text.begin(), text.end());
                continue;
            }
            const bool isLong = token->kind == Token::Kind::Number && (Upper(token->text).back() == 'L');
            const long long value = Sum();
            for (int byte = 0; byte < (isLong ? 4 : 2); ++byte)
                data.push_back(uint8_t(value >> (8 * byte)));
        }
        return data;
    }

    std::vector<uint8_t> FileData(const std::string& name, bool bitmap)
    {
        std::string path;
        for (const std::string& folder : m_folders)
        {
            const std::string candidate = (std::filesystem::path(folder) / name).string();
            if (std::filesystem::exists(candidate))
            {
                path = candidate;
                break;
            }
        }
        std::ifstream in(path, std::ios::binary);
        if (path.empty() || !in)
            throw std::runtime_error(Where() + ": cannot read " + name);
        m_filesRead.push_back(path);
        std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bitmap)
        {
            // A bitmap resource holds the bitmap without the file header in front of it.
            constexpr size_t kFileHeader = 14;
            if (data.size() < kFileHeader || data[0] != 'B' || data[1] != 'M')
                throw std::runtime_error(Where() + ": " + name + " is not a BMP file");
            data.erase(data.begin(), data.begin() + kFileHeader);
        }
        return data;
    }

    int16_t Coordinate() { return int16_t(Expression(0)); }

    void Rectangle(int16_t& x, int16_t& y, int16_t& cx, int16_t& cy)
    {
        x = Coordinate();
        Expect(",");
        y = Coordinate();
        Expect(",");
        cx = Coordinate();
        Expect(",");
        cy = Coordinate();
    }

    void DialogStatement(const ResourceName& name)
    {
        Dialog dialog;
        Rectangle(dialog.x, dialog.y, dialog.cx, dialog.cy);
        if (Comma())
            dialog.helpId = uint32_t(Expression(0));
        bool styleGiven = false;
        uint16_t language = m_language;
        while (!BlockStart())
        {
            const Token option = Next();
            const std::string word = option.kind == Token::Kind::Name ? Upper(option.text) : "";
            if (word == "STYLE")
            {
                dialog.style = uint32_t(Expression(0)) | (dialog.style & (DS_SETFONT | WS_CAPTION));
                styleGiven = true;
            }
            else if (word == "EXSTYLE")
                dialog.exStyle = uint32_t(Expression(0));
            else if (word == "CAPTION")
            {
                dialog.caption = Utf16(String());
                dialog.style |= WS_CAPTION;
            }
            else if (word == "FONT")
            {
                dialog.hasFont = true;
                dialog.style |= DS_SETFONT;
                dialog.pointSize = uint16_t(Expression(0));
                Expect(",");
                dialog.typeface = Utf16(String());
                if (Comma())
                    dialog.weight = uint16_t(Expression(0));
                if (Comma())
                    dialog.italic = uint8_t(Expression(0));
                if (Comma())
                    dialog.charset = uint8_t(Expression(0));
            }
            else if (word == "LANGUAGE")
                language = LanguageId();
            else
                Fail(option, "STYLE, EXSTYLE, CAPTION, FONT, LANGUAGE or BEGIN");
        }
        if (!styleGiven)
            dialog.style |= WS_POPUP | WS_BORDER | WS_SYSMENU;
        while (!BlockEnd())
            dialog.controls.push_back(ControlStatement());
        m_resources.push_back(
            {ResourceName{false, kTypeDialog, ""}, name, language, DialogTemplateBytes(dialog)});
    }

    DialogControl ControlStatement()
    {
        const Token keyword = Next();
        const std::string word = keyword.kind == Token::Kind::Name ? Upper(keyword.text) : "";
        DialogControl control;
        if (word == "CONTROL")
        {
            control.text = Utf16(String());
            Expect(",");
            control.id = int32_t(Expression(0));
            Expect(",");
            const std::string className = String();
            control.classAtom = PredefinedClassAtom(className);
            if (!control.classAtom)
                control.className = Utf16(className);
            Expect(",");
            control.style = uint32_t(Expression(WS_CHILD | WS_VISIBLE));
            Expect(",");
            Rectangle(control.x, control.y, control.cx, control.cy);
            ControlTail(control, false);
            return control;
        }
        const auto found = std::find_if(std::begin(kControlKeywords), std::end(kControlKeywords),
                                        [&](const ControlKeyword& k) { return word == k.keyword; });
        if (found == std::end(kControlKeywords))
            Fail(keyword, "a control statement");
        control.classAtom = found->classAtom;
        control.style = WS_CHILD | WS_VISIBLE | found->defaultStyle;
        if (found->hasText)
        {
            control.text = Utf16(String());
            Expect(",");
        }
        control.id = int32_t(Expression(0));
        Expect(",");
        Rectangle(control.x, control.y, control.cx, control.cy);
        ControlTail(control, true);
        return control;
    }

    // [, style] [, exstyle [, help id]]: the style only where the statement does not have it yet.
    void ControlTail(DialogControl& control, bool styleFollows)
    {
        if (styleFollows && Comma())
            control.style = uint32_t(Expression(control.style));
        if (Comma())
            control.exStyle = uint32_t(Expression(0));
        if (Comma())
            control.helpId = uint32_t(Expression(0));
    }

    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    const std::map<std::string, std::vector<Token>>& m_macros;
    std::vector<std::string> m_folders;
    std::vector<std::string>& m_filesRead;
    std::vector<Resource> m_resources;
    uint16_t m_language = 0x0409; // English (United States) until a LANGUAGE statement says otherwise
};
} // namespace

std::vector<Resource> ParseScript(std::vector<Token> tokens,
                                  const std::map<std::string, std::vector<Token>>& macros,
                                  const std::string& scriptFolder,
                                  const std::vector<std::string>& includeFolders,
                                  std::vector<std::string>& filesRead)
{
    std::vector<std::string> folders = {scriptFolder};
    folders.insert(folders.end(), includeFolders.begin(), includeFolders.end());
    return Parser(std::move(tokens), macros, std::move(folders), filesRead).Run();
}
} // namespace rc
