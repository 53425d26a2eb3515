#include "opennurbs_mesh.h"

namespace
{

// Keeps a per-element array only when both sides have it complete (or the target is still empty).
template <class T>
void AppendOrDestroy(ON_SimpleArray<T>& target, bool target_full, const ON_SimpleArray<T>& source,
                     bool source_full)
{
    if (target_full && source_full)
    {
        target.Reserve(target.Count() + source.Count());
        target.Append(source.Count(), source.Array());
    }
    else
    {
        target.Destroy();
    }
}

} // namespace

void ON_Mesh::Append(const ON_Mesh& m)
{
    // The toolkit reads freed memory here; appending to itself is refused instead.
    if (&m == this || m.VertexCount() == 0)
    {
        return;
    }
    DestroyTopology();
    const int vertex_offset = VertexCount();
    const bool was_empty = vertex_offset == 0;
    const bool faces_were_empty = FaceCount() == 0;

    const bool keep_N = was_empty || HasVertexNormals();
    const bool keep_T = was_empty || HasTextureCoordinates();
    const bool keep_S = was_empty || HasSurfaceParameters();
    const bool keep_K = was_empty || HasPrincipalCurvatures();
    const bool keep_C = was_empty || HasVertexColors();
    const bool keep_FN = faces_were_empty || HasFaceNormals();

    AppendOrDestroy(m_N, keep_N, m.m_N, m.HasVertexNormals());
    AppendOrDestroy(m_T, keep_T, m.m_T, m.HasTextureCoordinates());
    AppendOrDestroy(m_S, keep_S, m.m_S, m.HasSurfaceParameters());
    AppendOrDestroy(m_K, keep_K, m.m_K, m.HasPrincipalCurvatures());
    AppendOrDestroy(m_C, keep_C, m.m_C, m.HasVertexColors());
    AppendOrDestroy(m_FN, keep_FN, m.m_FN, m.HasFaceNormals());

    m_V.Reserve(vertex_offset + m.VertexCount());
    m_V.Append(m.VertexCount(), m.m_V.Array());
    m_F.Reserve(FaceCount() + m.FaceCount());
    for (int fi = 0; fi < m.FaceCount(); fi++)
    {
        ON_MeshFace face = m.m_F[fi];
        for (int& vi : face.vi)
        {
            vi += vertex_offset;
        }
        m_F.Append(face);
    }
}
