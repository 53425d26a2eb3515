#include "NVKBrep.h"

int NVKBrep::GetEdgeCurves(const ON_Brep& brep, ON_ClassArray<ON_NurbsCurve>& curves)
{
    int appended = 0;
    ON_NurbsCurve nurbs;
    for (int ei = 0; ei < brep.m_E.Count(); ++ei)
    {
        const ON_Curve* curve = brep.m_E[ei].EdgeCurveOf();
        if (curve && curve->GetNurbForm(nurbs) != 0)
        {
            curves.Append(nurbs);
            ++appended;
        }
    }
    return appended;
}
