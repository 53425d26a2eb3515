// Numbers (decimal, or hexadecimal after 0x, with an optional L or U suffix), strings in double quotes (L
// prefix allowed; "" is one quote; C escapes), names, and the punctuation of the script.
#include "Token.h"

#include <cctype>
#include <stdexcept>

namespace rc
{
namespace
{
// Reads the escape after a backslash at text[i] and appends its byte(s); returns the next index.
size_t Escape(const std::string& text, size_t i, std::string& out, const std::string& where)
{
    const char c = text[i];
    static const std::string kNamed = "n\nt\tr\ra\a\\\\\"\"''"; // pairs: escape letter, character
    for (size_t k = 0; k < kNamed.size(); k += 2)
    {
        if (kNamed[k] == c)
        {
            out += kNamed[k + 1];
            return i + 1;
        }
    }
    if (c == 'x')
    {
        size_t end = i + 1;
        int value = 0;
        while (end < text.size() && end < i + 3 && std::isxdigit((unsigned char)text[end]))
            value = value * 16 + std::stoi(text.substr(end++, 1), nullptr, 16);
        if (end == i + 1)
            throw std::runtime_error(where + ": \\x without hexadecimal digits");
        out += char(value);
        return end;
    }
    if (c >= '0' && c <= '7')
    {
        size_t end = i;
        int value = 0;
        while (end < text.size() && end < i + 3 && text[end] >= '0' && text[end] <= '7')
            value = value * 8 + (text[end++] - '0');
        out += char(value);
        return end;
    }
    throw std::runtime_error(where + ": unknown escape \\" + std::string(1, c));
}
} // namespace

void Tokenize(const std::string& line, const std::string& where, std::vector<Token>& out)
{
    size_t i = 0;
    while (i < line.size())
    {
        const unsigned char c = (unsigned char)line[i];
        if (std::isspace(c))
        {
            ++i;
            continue;
        }
        if (c == '"' || (c == 'L' && i + 1 < line.size() && line[i + 1] == '"'))
        {
            i += c == 'L' ? 2 : 1;
            std::string text;
            for (;;)
            {
                if (i >= line.size())
                    throw std::runtime_error(where + ": a string is not closed");
                if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"')
                    text += '"', i += 2;
                else if (line[i] == '"')
                    break;
                else if (line[i] == '\\' && i + 1 < line.size())
                    i = Escape(line, i + 1, text, where);
                else
                    text += line[i++];
            }
            ++i;
            out.push_back({Token::Kind::String, text, 0, where});
        }
        else if (std::isdigit(c))
        {
            size_t end = i;
            while (end < line.size() && std::isalnum((unsigned char)line[end]))
                ++end;
            std::string spelling = line.substr(i, end - i);
            std::string digits = spelling;
            while (!digits.empty() && (digits.back() == 'L' || digits.back() == 'l' || digits.back() == 'U' ||
                                       digits.back() == 'u'))
                digits.pop_back();
            size_t used = 0;
            long long value = 0;
            try
            {
                const bool hex = digits.size() > 2 && (digits[1] == 'x' || digits[1] == 'X');
                value = std::stoll(hex ? digits.substr(2) : digits, &used, hex ? 16 : 10);
                used += hex ? 2 : 0;
            }
            catch (const std::exception&)
            {
            }
            if (digits.empty() || used != digits.size())
                throw std::runtime_error(where + ": bad number " + spelling);
            out.push_back({Token::Kind::Number, spelling, value, where});
            i = end;
        }
        else if (std::isalpha(c) || c == '_')
        {
            size_t end = i;
            while (end < line.size() && (std::isalnum((unsigned char)line[end]) || line[end] == '_'))
                ++end;
            out.push_back({Token::Kind::Name, line.substr(i, end - i), 0, where});
            i = end;
        }
        else if (std::string(",|(){}-+").find(char(c)) != std::string::npos)
        {
            out.push_back({Token::Kind::Punctuation, std::string(1, char(c)), 0, where});
            ++i;
        }
        else
            throw std::runtime_error(where + ": unexpected character '" + std::string(1, char(c)) + "'");
    }
}
} // namespace rc
