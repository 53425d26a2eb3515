#pragma once

#include "opennurbs_bounding_box.h"
#include "opennurbs_object.h"
#include "opennurbs_point.h"

class ON_Xform;

// Base of meshes, curves and surfaces: what can be boxed and transformed.
class ON_Geometry : public ON_Object
{
public:
    // The object's box; the empty box when it has none.
    ON_BoundingBox BoundingBox() const;
    // Sets bbox to the object's box, or grows it when grow is true and bbox is valid. Returns
    // false when the object has no box (bbox is then unchanged).
    virtual bool GetBoundingBox(ON_BoundingBox& bbox, bool grow = false) const = 0;

    virtual bool Transform(const ON_Xform& xform) = 0;

    // True without a change for angle 0; otherwise the result of Transform.
    bool Rotate(double angle, const ON_3dVector& axis, const ON_3dPoint& center);
    // True without a change for a zero vector; otherwise the result of Transform.
    bool Translate(const ON_3dVector& delta);
};
