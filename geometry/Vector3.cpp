#include "geometry/Vector3.h"

#include <cmath>

float Vector3::Length() const
{
    return static_cast<float>(std::sqrt(double(x) * x + double(y) * y + double(z) * z));
}

void Vector3::Normalize()
{
    const double len = Length();
    if (len == 0.0)
        return;
    x = static_cast<float>(x / len);
    y = static_cast<float>(y / len);
    z = static_cast<float>(z / len);
}

float Dot(const Vector3& a, const Vector3& b)
{
    return static_cast<float>(double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z);
}

Vector3 RotatedZ(const Vector3& a, double angle)
{
    return RotatedZ(a, std::cos(angle), std::sin(angle));
}

Vector3 RotatedZ(const Vector3& a, double c, double s)
{
    Vector3 r;
    r.x = static_cast<float>(a.x * c + a.y * s);
    r.y = static_cast<float>(a.y * c - a.x * s);
    r.z = a.z;
    r.w = a.w;
    return r;
}

bool WithinRadius(const Vector3& p, double r, const Vector3& q)
{
    const double dx = double(p.x) - q.x;
    const double dy = double(p.y) - q.y;
    return std::sqrt(dx * dx + dy * dy) <= r;
}
