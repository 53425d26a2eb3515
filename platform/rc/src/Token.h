// The pieces of a resource script after preprocessing.
#pragma once

#include <string>
#include <vector>

namespace rc
{
struct Token
{
    enum class Kind
    {
        Number,
        String,
        Name,
        Punctuation, // one of , | ( ) { } - +
    };
    Kind kind;
    std::string text; // the spelling; for a string its content with escapes resolved (UTF-8)
    long long number = 0;
    std::string where; // "file:line", for messages
};

// The tokens of one line of script. Throws std::runtime_error on a character it cannot take.
void Tokenize(const std::string& line, const std::string& where, std::vector<Token>& out);
} // namespace rc
