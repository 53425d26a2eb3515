#pragma once

// A colour packed as 0xAABBGGRR (the Windows COLORREF layout with alpha in the high byte). The
// toolkit reads alpha 0 as opaque; the value is stored as given.
class ON_Color
{
public:
    unsigned int m_color = 0;

    ON_Color() = default;
    // SetRGBA(r, g, b, 0).
    ON_Color(int red, int green, int blue);
    ON_Color(int red, int green, int blue, int alpha);

    // Clamps each channel to 0..255.
    void SetRGBA(int red, int green, int blue, int alpha);

    int Red() const { return int(m_color & 0xFFu); }
    int Green() const { return int((m_color >> 8) & 0xFFu); }
    int Blue() const { return int((m_color >> 16) & 0xFFu); }
    int Alpha() const { return int((m_color >> 24) & 0xFFu); }

    bool operator==(const ON_Color& c) const { return m_color == c.m_color; }
    bool operator!=(const ON_Color& c) const { return m_color != c.m_color; }
};
