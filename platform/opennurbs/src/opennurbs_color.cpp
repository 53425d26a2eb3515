#include "opennurbs_color.h"

#include <algorithm>

ON_Color::ON_Color(int red, int green, int blue)
{
    SetRGBA(red, green, blue, 0);
}

ON_Color::ON_Color(int red, int green, int blue, int alpha)
{
    SetRGBA(red, green, blue, alpha);
}

void ON_Color::SetRGBA(int red, int green, int blue, int alpha)
{
    const auto channel = [](int value) { return unsigned(std::clamp(value, 0, 255)); };
    m_color = channel(alpha) << 24 | channel(blue) << 16 | channel(green) << 8 | channel(red);
}
