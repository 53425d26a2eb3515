#include "TextWordSource.h"

#include <utility>

namespace kzstl
{
Word TextWordSource::Next()
{
    m_token = m_text.Next();
    return m_token.Empty() ? Word::End : KeywordOf(m_token.first, m_token.last);
}

std::optional<NumberSyntax> TextWordSource::NextNumber(float& value)
{
    m_token = m_text.Next();
    if (m_token.Empty())
        return std::nullopt;
    return ParseNumber(m_token.first, m_token.last, value);
}

void TextWordSource::Fail(StlFailure failure) const
{
    failure.token.assign(m_token.first, m_token.Length());
    failure.line = m_token.Empty() ? m_text.LastLine() : m_text.LineAt(m_token.offset);
    throw std::move(failure);
}
} // namespace kzstl
