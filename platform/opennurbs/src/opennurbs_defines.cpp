#include "opennurbs_defines.h"

#include <cmath>

bool ON_IsValid(double x)
{
    return std::isfinite(x) && x != ON_UNSET_VALUE;
}
