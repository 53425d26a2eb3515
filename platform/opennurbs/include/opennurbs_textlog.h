#pragma once

#include <string>

// Collects the explanations that IsValid routines give for a failure.
class ON_TextLog
{
public:
    // Appends text as given.
    void Print(const char* text) { m_text += text; }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};
