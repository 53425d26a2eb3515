// Preprocessing of resource scripts and the headers they include.
#include "Preprocessor.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace rc
{
namespace
{
// Headers of the platform whose symbols the compiler knows already.
const std::set<std::string> kSystemHeaders = {"afxres.h",  "winres.h",   "winresrc.h", "windows.h",
                                              "winuser.h", "commctrl.h", "atlres.h"};

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The first word of `text` and what follows it.
std::pair<std::string, std::string> SplitWord(const std::string& text)
{
    const std::string trimmed = Trim(text);
    size_t end = 0;
    while (end < trimmed.size() && (std::isalnum((unsigned char)trimmed[end]) || trimmed[end] == '_'))
        ++end;
    return {trimmed.substr(0, end), Trim(trimmed.substr(end))};
}
} // namespace

std::string WithoutComments(const std::string& text)
{
    std::string out = text;
    bool inString = false;
    for (size_t i = 0; i < out.size(); ++i)
    {
        if (inString)
        {
            if (out[i] == '\\')
                ++i;
            else if (out[i] == '"' || out[i] == '\n')
                inString = false;
        }
        else if (out[i] == '"')
            inString = true;
        else if (out.compare(i, 2, "//") == 0)
        {
            while (i < out.size() && out[i] != '\n')
                out[i++] = ' ';
        }
        else if (out.compare(i, 2, "/*") == 0)
        {
            const size_t end = out.find("*/", i + 2);
            const size_t stop = end == std::string::npos ? out.size() : end + 2;
            for (; i < stop; ++i)
                if (out[i] != '\n')
                    out[i] = ' ';
            --i;
        }
    }
    return out;
}

std::vector<Token> Preprocessor::Run(const std::string& path)
{
    std::vector<Token> tokens;
    ReadFile(path, tokens);
    if (!m_conditions.empty())
        throw std::runtime_error(path + ": #if without #endif");
    return tokens;
}

void Preprocessor::ReadFile(const std::string& path, std::vector<Token>& out)
{
    if (++m_depth > 16)
        throw std::runtime_error(path + ": includes nest too deeply");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    m_filesRead.push_back(path);
    std::stringstream text;
    text << in.rdbuf();
    std::istringstream lines(WithoutComments(text.str()));
    const std::string folder = std::filesystem::path(path).parent_path().string();
    std::string line;
    const size_t conditionsAtStart = m_conditions.size();
    for (int number = 1; std::getline(lines, line); ++number)
    {
        const std::string where = path + ":" + std::to_string(number);
        const std::string trimmed = Trim(line);
        if (!trimmed.empty() && trimmed[0] == '#')
        {
            Directive(trimmed.substr(1), folder, where, out);
            continue;
        }
        if (m_conditions.empty() || m_conditions.back().taking)
            Tokenize(line, where, out);
    }
    if (m_conditions.size() != conditionsAtStart)
        throw std::runtime_error(path + ": #if without #endif");
    --m_depth;
}

void Preprocessor::Directive(const std::string& line, const std::string& folder, const std::string& where,
                             std::vector<Token>& out)
{
    const auto [word, rest] = SplitWord(line);
    const bool taking = m_conditions.empty() || m_conditions.back().taking;
    if (word == "ifdef" || word == "ifndef" || word == "if")
    {
        bool condition;
        if (word == "if")
        {
            std::string expression = rest;
            const bool negated = !expression.empty() && expression[0] == '!';
            if (negated)
                expression = Trim(expression.substr(1));
            if (expression.rfind("defined", 0) == 0)
            {
                std::string symbol = Trim(expression.substr(7));
                if (symbol.size() > 2 && symbol.front() == '(' && symbol.back() == ')')
                    symbol = Trim(symbol.substr(1, symbol.size() - 2));
                condition = (m_macros.count(symbol) != 0) != negated;
            }
            else
            {
                std::vector<Token> tokens;
                Tokenize(expression, where, tokens);
                if (tokens.size() != 1 || tokens[0].kind != Token::Kind::Number)
                    throw std::runtime_error(where + ": #if takes a number or defined(NAME)");
                condition = (tokens[0].number != 0) != negated;
            }
        }
        else
            condition = (m_macros.count(SplitWord(rest).first) != 0) == (word == "ifdef");
        m_conditions.push_back({taking && condition, taking, false});
        return;
    }
    if (word == "else" || word == "endif")
    {
        if (m_conditions.empty())
            throw std::runtime_error(where + ": #" + word + " without #if");
        if (word == "endif")
            m_conditions.pop_back();
        else
        {
            Condition& condition = m_conditions.back();
            if (condition.elseSeen)
                throw std::runtime_error(where + ": a second #else");
            condition.elseSeen = true;
            condition.taking = condition.parentTaking && !condition.taking;
        }
        return;
    }
    if (!taking)
        return;
    if (word == "define")
    {
        const auto [name, value] = SplitWord(rest);
        if (name.empty())
            throw std::runtime_error(where + ": #define without a name");
        std::vector<Token> tokens;
        Tokenize(value, where, tokens);
        m_macros[name] = tokens;
    }
    else if (word == "undef")
        m_macros.erase(SplitWord(rest).first);
    else if (word == "include")
    {
        std::vector<Token> tokens;
        Tokenize(rest.size() > 1 && rest[0] == '<' ? "\"" + rest.substr(1, rest.find('>') - 1) + "\"" : rest,
                 where, tokens);
        if (tokens.size() != 1 || tokens[0].kind != Token::Kind::String)
            throw std::runtime_error(where + ": #include takes a file name");
        const std::string name = tokens[0].text;
        std::vector<std::string> candidates = {(std::filesystem::path(folder) / name).string()};
        for (const std::string& includeFolder : m_includeFolders)
            candidates.push_back((std::filesystem::path(includeFolder) / name).string());
        for (const std::string& candidate : candidates)
        {
            if (std::filesystem::exists(candidate))
            {
                ReadFile(candidate, out);
                return;
            }
        }
        if (!kSystemHeaders.count(std::filesystem::path(name).filename().string()))
            throw std::runtime_error(where + ": cannot find " + name);
    }
    else if (word != "pragma")
        throw std::runtime_error(where + ": unknown preprocessor line #" + word);
}
} // namespace rc
