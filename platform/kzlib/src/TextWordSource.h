// The words of an ASCII STL file read in order, chunk by chunk: the reader that places every error
// on its line.
#pragma once

#include "StlFailure.h"
#include "StlFile.h"
#include "StlNumber.h"
#include "StlText.h"
#include "StlWord.h"

#include <cstdint>
#include <optional>

namespace kzstl
{
class TextWordSource
{
public:
    explicit TextWordSource(const StlFile& file) : m_text(file), m_size(file.Size()) {}

    Word Next();
    std::optional<NumberSyntax> NextNumber(float& value);
    void SkipRestOfLine() { m_text.SkipRestOfLine(); }
    uint64_t Size() const { return m_size; }
    // Where the last token begins.
    uint64_t Offset() const { return m_token.offset; }
    // Names the last token and its line; a text that has ended is placed on its last line, past
    // any final line end.
    [[noreturn]] void Fail(StlFailure failure) const;

private:
    StlText m_text;
    const uint64_t m_size;
    TextToken m_token{};
};
} // namespace kzstl
