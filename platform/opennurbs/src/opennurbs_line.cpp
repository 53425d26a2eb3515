#include "opennurbs_line.h"
#include "opennurbs_xform.h"

ON_3dPoint ON_Line::PointAt(double t) const
{
    const double s = 1.0 - t;
    ON_3dPoint p;
    for (int i = 0; i < 3; i++)
    {
        p[i] = from[i] == to[i] ? from[i] : s * from[i] + t * to[i];
    }
    return p;
}

bool ON_Line::Transform(const ON_Xform& xform)
{
    from = xform * from;
    to = xform * to;
    return true;
}
