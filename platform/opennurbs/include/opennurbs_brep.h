#pragma once

#include "opennurbs_array.h"
#include "opennurbs_curve.h"
#include "opennurbs_defines.h"
#include "opennurbs_object.h"
#include "opennurbs_point.h"

// What the add-in's libraries read of a boundary representation: its vertices and its edges with
// their 3D curves. Faces, loops and trims are not held.

struct ON_BrepVertex
{
    int m_vertex_index = -1;
    ON_3dPoint point;
    double m_tolerance = ON_UNSET_VALUE;
};

// An edge runs along the whole of its 3D curve, from vertex m_vi[0] to vertex m_vi[1].
class ON_BrepEdge
{
public:
    // The 3D curve, owned by the brep; null when m_c3i names none.
    const ON_Curve* EdgeCurveOf() const { return m_curve; }

    int m_edge_index = -1;
    int m_c3i = -1;
    int m_vi[2] = {-1, -1};
    double m_tolerance = ON_UNSET_VALUE;

private:
    friend class ON_Brep;
    // Points at a curve on the heap, so it survives the brep being moved bitwise by an array.
    const ON_Curve* m_curve = nullptr;
};

class ON_Brep : public ON_Object
{
public:
    ON_Brep() = default;
    // Copies duplicate the curves and point the edges at the copies.
    ON_Brep(const ON_Brep& src);
    ON_Brep& operator=(const ON_Brep& src);
    ~ON_Brep() override = default;

    static ON_Brep* Cast(ON_Object* p);
    static const ON_Brep* Cast(const ON_Object* p);

    // Takes ownership of the curve and returns its index in m_C3; -1 (and nothing owned) for null.
    int AddEdgeCurve(ON_Curve* curve);
    ON_BrepVertex& NewVertex(const ON_3dPoint& point, double tolerance = ON_UNSET_VALUE);
    // An edge from v0 to v1 along the whole of the 3D curve m_C3[c3i].
    ON_BrepEdge& NewEdge(const ON_BrepVertex& v0, const ON_BrepVertex& v1, int c3i,
                         double tolerance = ON_UNSET_VALUE);
    // Deletes the curves and empties every array.
    void Destroy();

    ON_CurveArray m_C3;
    ON_ClassArray<ON_BrepVertex> m_V;
    ON_ClassArray<ON_BrepEdge> m_E;

private:
    const ON_Curve* EdgeCurve(int c3i) const;
};
