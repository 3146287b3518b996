#include "geometry/CourseCheckRules.h"

#include "geometry/CourseCheck.h"
#include "geometry/ObjectFootprint.h"
#include "geometry/ValueLimits.h"

#include <cmath>

namespace {

// Twice the signed area of p, q, r in double: positive when r lies left of p -> q.
double Orient(const Vector3& p, const Vector3& q, const Vector3& r)
{
    return (double(q.x) - p.x) * (double(r.y) - p.y) - (double(q.y) - p.y) * (double(r.x) - p.x);
}

bool Usable(double v)
{
    return IsCourseValue(v);
}

bool Usable(const Vector3& v)
{
    return Usable(v.x) && Usable(v.y);
}

// The extent of the polygon pts[0..n) along the axis (ax, ay).
void Project(const Vector3* pts, int n, double ax, double ay, double& lo, double& hi)
{
    lo = INFINITY;
    hi = -INFINITY;
    for (int k = 0; k < n; ++k) {
        const double d = pts[k].x * ax + pts[k].y * ay;
        lo = std::fmin(lo, d);
        hi = std::fmax(hi, d);
    }
}

// Separating axes: the edge normals of both convex polygons.
bool ConvexShareArea(const Vector3* a, int na, const Vector3* b, int nb)
{
    for (int pass = 0; pass < 2; ++pass) {
        const Vector3* p = pass == 0 ? a : b;
        const int n = pass == 0 ? na : nb;
        for (int k = 0; k < n; ++k) {
            const Vector3& e0 = p[k];
            const Vector3& e1 = p[(k + 1) % n];
            const double ax = -(double(e1.y) - e0.y);
            const double ay = double(e1.x) - e0.x;
            if (ax == 0.0 && ay == 0.0)
                continue;
            double aLo = 0.0;
            double aHi = 0.0;
            double bLo = 0.0;
            double bHi = 0.0;
            Project(a, na, ax, ay, aLo, aHi);
            Project(b, nb, ax, ay, bLo, bHi);
            if (aHi <= bLo || bHi <= aLo)
                return false;
        }
    }
    return true;
}

}  // namespace

bool SegmentsCross(const Vector3& p0, const Vector3& p1, const Vector3& q0, const Vector3& q1, Vector3* at)
{
    const double a = Orient(p0, p1, q0);
    const double b = Orient(p0, p1, q1);
    if (!(a * b < 0.0))
        return false;
    const double c = Orient(q0, q1, p0);
    const double d = Orient(q0, q1, p1);
    if (!(c * d < 0.0))
        return false;
    if (at) {
        const double t = c / (c - d);
        *at = Vector3(p0.x + t * (double(p1.x) - p0.x), p0.y + t * (double(p1.y) - p0.y), 0.0);
    }
    return true;
}

bool RunsAgainst(const Vector3& b0, const Vector3& b1, const Vector3& c0, const Vector3& c1)
{
    const double dot = (double(b1.x) - b0.x) * (double(c1.x) - c0.x) + (double(b1.y) - b0.y) * (double(c1.y) - c0.y);
    return dot < 0.0;
}

Footprint FootprintOf(const XObject& o)
{
    Footprint f;
    f.corners = FootprintCorners(o, 1.0f);
    f.hasArea = o.Width != 0.0f && o.Height != 0.0f;
    return f;
}

bool FootprintHolds(const Footprint& f, const Vector3& p)
{
    if (!f.hasArea)
        return false;
    bool anyPositive = false;
    bool anyNegative = false;
    for (int k = 0; k < 4; ++k) {
        const double o = Orient(f.corners[k], f.corners[(k + 1) % 4], p);
        anyPositive = anyPositive || o > 0.0;
        anyNegative = anyNegative || o < 0.0;
    }
    return !(anyPositive && anyNegative);
}

bool FootprintMeetsTriangle(const Footprint& f, const Vector3& a, const Vector3& b, const Vector3& c)
{
    if (!f.hasArea)
        return false;
    const Vector3 tri[3] = {a, b, c};
    return ConvexShareArea(f.corners.data(), 4, tri, 3);
}

bool FootprintMeetsRoadStep(const Footprint& f, const Vector3& l0, const Vector3& l1, const Vector3& r0, const Vector3& r1)
{
    return FootprintMeetsTriangle(f, l0, l1, r1) || FootprintMeetsTriangle(f, l0, r1, r0);
}

bool HandleGeometryUsable(const CourseHandle& h)
{
    return Usable(h.vPos) && Usable(h.vTanNext) && Usable(h.vTanPrev) && Usable(h.WidthRight) && Usable(h.WidthLeft);
}

bool SpanGeometryUsable(const CourseHandle& h0, const CourseHandle& h1)
{
    return HandleGeometryUsable(h0) && HandleGeometryUsable(h1) && !(h0.vPos.x == h1.vPos.x && h0.vPos.y == h1.vPos.y);
}

bool ObjectGeometryUsable(const XObject& o)
{
    return Usable(o.Pos) && Usable(o.Direction) && Usable(o.Width) && Usable(o.Height);
}
