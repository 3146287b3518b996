#pragma once

#include "geometry/Vector3.h"

// Float rounding in the spline and the distance tests moves a computed point by a few units
// in the last place of the magnitudes involved (mag: the sum of the absolute coordinates that
// went into it); the rejection allows far more.
inline constexpr double kPickRelSlack = 1e-5;
inline constexpr double kPickAbsSlack = 1e-30;

// True when no point within reach of q (planar) can lie in the box [loX, hiX] x [loY, hiY],
// given slack for rounding. NaN anywhere makes it false, so odd input takes the exact tests.
inline bool SurelyOutsideBox(const Vector3& q, double loX, double hiX, double loY, double hiY, double reach,
                             double magX, double magY)
{
    const double reachX = reach + kPickRelSlack * (magX + reach) + kPickAbsSlack;
    const double reachY = reach + kPickRelSlack * (magY + reach) + kPickAbsSlack;
    return q.x < loX - reachX || q.x > hiX + reachX || q.y < loY - reachY || q.y > hiY + reachY;
}
