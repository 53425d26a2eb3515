#include "opennurbs_bounding_box.h"

#include <algorithm>

ON_BoundingBox::ON_BoundingBox(const ON_3dPoint& min_point, const ON_3dPoint& max_point)
    : m_min(min_point), m_max(max_point)
{
}

bool ON_BoundingBox::IsValid() const
{
    return m_min.x <= m_max.x && m_min.y <= m_max.y && m_min.z <= m_max.z;
}

void ON_BoundingBox::Destroy()
{
    *this = ON_BoundingBox();
}

void ON_BoundingBox::Set(const ON_3dPoint& p, bool grow)
{
    if (!grow || !IsValid())
    {
        m_min = m_max = p;
        return;
    }
    m_min = ON_3dPoint(std::min(m_min.x, p.x), std::min(m_min.y, p.y), std::min(m_min.z, p.z));
    m_max = ON_3dPoint(std::max(m_max.x, p.x), std::max(m_max.y, p.y), std::max(m_max.z, p.z));
}
