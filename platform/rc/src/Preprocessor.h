// The preprocessor lines a resource script uses: #include "file" (beside the including file,
// then in the include folders; the system's own headers are known without reading them),
// #define NAME tokens, #undef, #ifdef, #ifndef, #if with a number or defined(NAME), #else,
// #endif, and #pragma (ignored). Comments are removed first.
#pragma once

#include "Token.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace rc
{
class Preprocessor
{
public:
    explicit Preprocessor(std::vector<std::string> includeFolders)
        : m_includeFolders(std::move(includeFolders))
    {
    }

    // The script's tokens, without its preprocessor lines. Throws std::runtime_error.
    std::vector<Token> Run(const std::string& path);

    const std::map<std::string, std::vector<Token>>& Macros() const { return m_macros; }
    // Every file read, the script first: what the generated source depends on.
    const std::vector<std::string>& FilesRead() const { return m_filesRead; }

private:
    void ReadFile(const std::string& path, std::vector<Token>& out);
    void Directive(const std::string& line, const std::string& folder, const std::string& where,
                   std::vector<Token>& out);

    std::vector<std::string> m_includeFolders;
    std::map<std::string, std::vector<Token>> m_macros;
    std::vector<std::string> m_filesRead;
    // One entry per open #if: whether its lines are taken, and whether an #else was seen.
    struct Condition
    {
        bool taking;
        bool parentTaking;
        bool elseSeen;
    };
    std::vector<Condition> m_conditions;
    int m_depth = 0;
};

// The script text with // and /* */ comments replaced by spaces, line breaks kept.
std::string WithoutComments(const std::string& text);
} // namespace rc
