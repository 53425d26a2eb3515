#include "NVKVector.h"

#include <cmath>

double NVKVector::Angle(const ON_3dVector& from, const ON_3dVector& to, const ON_3dVector& normal, int mode)
{
    ON_3dVector axis = normal;
    if (!axis.Unitize())
        return 0.0;
    // The sine and cosine parts, both scaled by the lengths of the two vectors seen along the
    // axis; atan2 keeps full precision near 0 and pi, where acos of a dot product would not.
    const double sine = ON_DotProduct(ON_CrossProduct(from, to), axis);
    const double cosine = ON_DotProduct(from, to) - ON_DotProduct(from, axis) * ON_DotProduct(to, axis);
    if (sine == 0.0 && cosine == 0.0) // no direction to measure from (atan2 would read the zeros' signs)
        return 0.0;
    double angle = std::atan2(sine, cosine);
    if (angle < 0.0)
        angle += 2.0 * ON_PI;
    // A tiny negative angle rounds up to a full turn, which is the same direction as none.
    return angle < 2.0 * ON_PI ? angle : 0.0;
}
