#pragma once

// A course vector: four floats, w carried along but never used in arithmetic.
// Intermediate arithmetic is done in double and every result is stored as float.
struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    Vector3() = default;
    Vector3(double ax, double ay, double az)
        : x(static_cast<float>(ax)), y(static_cast<float>(ay)), z(static_cast<float>(az)) {}

    Vector3& operator+=(const Vector3& b);   // keeps w
    Vector3& operator*=(double s);           // keeps w
    float Length() const;
    void Normalize();                        // leaves a zero vector unchanged; keeps w

    bool operator==(const Vector3&) const = default;
};

// The arithmetic is inline: the spline evaluates it for every vertex of every frame.
inline Vector3& Vector3::operator+=(const Vector3& b)
{
    x = static_cast<float>(double(x) + b.x);
    y = static_cast<float>(double(y) + b.y);
    z = static_cast<float>(double(z) + b.z);
    return *this;
}

inline Vector3& Vector3::operator*=(double s)
{
    x = static_cast<float>(x * s);
    y = static_cast<float>(y * s);
    z = static_cast<float>(z * s);
    return *this;
}

// The binary and unary operators give w = 1.
inline Vector3 operator+(const Vector3& a, const Vector3& b)
{
    return Vector3(double(a.x) + b.x, double(a.y) + b.y, double(a.z) + b.z);
}

inline Vector3 operator-(const Vector3& a, const Vector3& b)
{
    return Vector3(double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z);
}

inline Vector3 operator-(const Vector3& a)
{
    return Vector3(-double(a.x), -double(a.y), -double(a.z));
}

inline Vector3 operator*(const Vector3& a, double s)
{
    return Vector3(s * a.x, s * a.y, s * a.z);
}

inline Vector3 operator*(double s, const Vector3& a)
{
    return a * s;
}

inline Vector3 operator/(const Vector3& a, double s)
{
    return Vector3(a.x / s, a.y / s, a.z / s);
}

float Dot(const Vector3& a, const Vector3& b);
// Positive angles turn clockwise in the y-up plane; keeps z and w.
Vector3 RotatedZ(const Vector3& a, double angle);
// The same turn with cos and sin of the angle given, for fixed angles worked out once.
Vector3 RotatedZ(const Vector3& a, double cosAngle, double sinAngle);
// Planar distance from p to q is at most r (z ignored, equality counts).
bool WithinRadius(const Vector3& p, double r, const Vector3& q);
