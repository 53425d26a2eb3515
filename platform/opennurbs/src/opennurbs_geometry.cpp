#include "opennurbs_geometry.h"
#include "opennurbs_xform.h"

ON_BoundingBox ON_Geometry::BoundingBox() const
{
    ON_BoundingBox bbox;
    if (!GetBoundingBox(bbox, false))
    {
        bbox.Destroy();
    }
    return bbox;
}

bool ON_Geometry::Rotate(double angle, const ON_3dVector& axis, const ON_3dPoint& center)
{
    if (angle == 0.0)
    {
        return true;
    }
    ON_Xform rotation;
    rotation.Rotation(angle, axis, center);
    return Transform(rotation);
}

bool ON_Geometry::Translate(const ON_3dVector& delta)
{
    if (delta.IsZero())
    {
        return true;
    }
    ON_Xform translation;
    translation.Translation(delta);
    return Transform(translation);
}
