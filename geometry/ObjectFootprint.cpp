#include "geometry/ObjectFootprint.h"

#include <cmath>

std::array<Vector3, 4> FootprintCorners(const XObject& o, float scale)
{
    const double a = double(o.Width) * scale;
    const double b = double(o.Height) * scale;
    // The view turns the frame by -Direction about +z: clockwise by Direction, as RotatedZ does.
    const double c = std::cos(double(o.Direction));
    const double s = std::sin(double(o.Direction));
    const double local[4][2] = {{-a, -b}, {a, -b}, {a, b}, {-a, b}};
    std::array<Vector3, 4> corners;
    for (int k = 0; k < 4; ++k)
        corners[k] = o.Pos + RotatedZ(Vector3(local[k][0], local[k][1], 0.0), c, s);
    return corners;
}
