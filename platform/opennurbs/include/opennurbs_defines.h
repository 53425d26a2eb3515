#pragma once

#include <cfloat>

// Tolerances and sentinels of the V4 toolkit; several results (circle and arc tests, point
// comparison) depend on these exact values.
constexpr double ON_ZERO_TOLERANCE = 1.0e-12;
constexpr double ON_SQRT_EPSILON = 1.490116119385000000e-8;
constexpr double ON_EPSILON = DBL_EPSILON;
constexpr double ON_UNSET_VALUE = -1.23432101234321e+308;
constexpr double ON_PI = 3.141592653589793238462643;

// True for finite values that are not the unset sentinel.
bool ON_IsValid(double x);
