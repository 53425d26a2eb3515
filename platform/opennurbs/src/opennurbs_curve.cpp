#include "opennurbs_curve.h"

ON_Curve* ON_Curve::Cast(ON_Object* p)
{
    return dynamic_cast<ON_Curve*>(p);
}

const ON_Curve* ON_Curve::Cast(const ON_Object* p)
{
    return dynamic_cast<const ON_Curve*>(p);
}

void ON_CurveArray::Destroy()
{
    // Only the counted slots: those beyond may be stale copies of pointers already deleted.
    for (int i = 0; i < Count(); i++)
    {
        delete m_a[i];
        m_a[i] = nullptr;
    }
    Empty();
}
