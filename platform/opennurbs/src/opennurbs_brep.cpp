#include "opennurbs_brep.h"

ON_Brep::ON_Brep(const ON_Brep& src) : ON_Object(src)
{
    *this = src;
}

ON_Brep& ON_Brep::operator=(const ON_Brep& src)
{
    if (this == &src)
    {
        return *this;
    }
    Destroy();
    ON_Object::operator=(src);
    for (int i = 0; i < src.m_C3.Count(); i++)
    {
        m_C3.Append(src.m_C3[i] != nullptr ? src.m_C3[i]->DuplicateCurve() : nullptr);
    }
    m_V = src.m_V;
    m_E = src.m_E;
    for (int ei = 0; ei < m_E.Count(); ei++)
    {
        m_E[ei].m_curve = EdgeCurve(m_E[ei].m_c3i);
    }
    return *this;
}

ON_Brep* ON_Brep::Cast(ON_Object* p)
{
    return dynamic_cast<ON_Brep*>(p);
}

const ON_Brep* ON_Brep::Cast(const ON_Object* p)
{
    return dynamic_cast<const ON_Brep*>(p);
}

int ON_Brep::AddEdgeCurve(ON_Curve* curve)
{
    if (curve == nullptr)
    {
        return -1;
    }
    m_C3.Append(curve);
    return m_C3.Count() - 1;
}

ON_BrepVertex& ON_Brep::NewVertex(const ON_3dPoint& point, double tolerance)
{
    ON_BrepVertex& vertex = m_V.AppendNew();
    vertex.m_vertex_index = m_V.Count() - 1;
    vertex.point = point;
    vertex.m_tolerance = tolerance;
    return vertex;
}

ON_BrepEdge& ON_Brep::NewEdge(const ON_BrepVertex& v0, const ON_BrepVertex& v1, int c3i, double tolerance)
{
    const int vi0 = v0.m_vertex_index;
    const int vi1 = v1.m_vertex_index;
    ON_BrepEdge& edge = m_E.AppendNew();
    edge.m_edge_index = m_E.Count() - 1;
    edge.m_c3i = c3i;
    edge.m_vi[0] = vi0;
    edge.m_vi[1] = vi1;
    edge.m_tolerance = tolerance;
    edge.m_curve = EdgeCurve(c3i);
    return edge;
}

void ON_Brep::Destroy()
{
    m_C3.Destroy();
    m_V.Empty();
    m_E.Empty();
}

const ON_Curve* ON_Brep::EdgeCurve(int c3i) const
{
    return (c3i >= 0 && c3i < m_C3.Count()) ? m_C3[c3i] : nullptr;
}
