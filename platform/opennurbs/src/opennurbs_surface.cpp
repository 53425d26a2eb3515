#include "opennurbs_surface.h"

ON_Surface* ON_Surface::Cast(ON_Object* p)
{
    return dynamic_cast<ON_Surface*>(p);
}

const ON_Surface* ON_Surface::Cast(const ON_Object* p)
{
    return dynamic_cast<const ON_Surface*>(p);
}

ON_Curve* ON_Surface::IsoCurve(int, double) const
{
    return nullptr;
}
