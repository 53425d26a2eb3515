#include "opennurbs_mesh.h"
#include "opennurbs_textlog.h"

#include <cmath>
#include <string>

namespace
{

bool Fail(ON_TextLog* text_log, const std::string& text)
{
    if (text_log != nullptr)
    {
        text_log->Print(text.c_str());
    }
    return false;
}

} // namespace

bool ON_Mesh::IsValid(ON_TextLog* text_log) const
{
    const int vertex_count = VertexCount();
    const int face_count = FaceCount();
    if (face_count < 1)
    {
        return Fail(text_log, "ON_Mesh.m_F.Count() < 1 (should be at least 1).\n");
    }
    if (vertex_count < 3)
    {
        return Fail(text_log, "ON_Mesh.m_V.Count() < 3 (should be at least 3).\n");
    }
    const struct
    {
        const char* name;
        int count;
    } per_vertex[] = {{"m_N", m_N.Count()}, {"m_T", m_T.Count()}, {"m_S", m_S.Count()}};
    for (const auto& array : per_vertex)
    {
        if (array.count != 0 && array.count != vertex_count)
        {
            return Fail(text_log,
                        std::string("ON_Mesh.") + array.name + ".Count() = " + std::to_string(array.count) +
                            " (should be 0 or ON_Mesh.m_V.Count() = " + std::to_string(vertex_count) +
                            ").\n");
        }
    }
    for (int fi = 0; fi < face_count; fi++)
    {
        if (!m_F[fi].IsValid(vertex_count))
        {
            return Fail(text_log, "ON_Mesh.m_F[" + std::to_string(fi) + "] is not a valid mesh face.\n");
        }
    }
    if (HasVertexNormals())
    {
        for (int vi = 0; vi < vertex_count; vi++)
        {
            const double length_squared = m_N[vi].LengthSquared();
            if (!(length_squared >= 0.985 && length_squared <= 1.015))
            {
                return Fail(text_log, "ON_Mesh.m_N[" + std::to_string(vi) + "] is not a unit vector.\n");
            }
        }
    }
    ON_BoundingBox box;
    if (GetBoundingBox(box, false))
    {
        for (int i = 0; i < 3; i++)
        {
            if (!std::isfinite(box.m_min[i]) || !std::isfinite(box.m_max[i]))
            {
                return Fail(text_log, "ON_Mesh vertex bounding box is not finite.\n");
            }
        }
    }
    return true;
}
