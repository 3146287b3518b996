#include "geometry/HandlePicking.h"

#include "geometry/CourseSpline.h"

#include <cmath>

namespace {

// Float rounding in the spline and the distance tests moves a computed point by a few
// units in the last place of the magnitudes involved; the rejections below allow far more.
constexpr double kRelSlack = 1e-5;
constexpr double kAbsSlack = 1e-30;

// True when no point within radius of q (planar) can lie in [lo, hi] on either axis,
// given slack for rounding. NaN anywhere makes it false, so odd input takes the plain path.
bool OutsideBox(const Vector3& q, double loX, double hiX, double loY, double hiY, double reachX, double reachY)
{
    return q.x < loX - reachX || q.x > hiX + reachX || q.y < loY - reachY || q.y > hiY + reachY;
}

// The span from h to n cannot come within radius of q. The centre line is a cubic Bezier
// with control points P0, P0 + T0/3, P1 - T1/3, P1 (T1 = -n.vTanPrev), so it lies in their box.
bool SpanSurelyMissed(const CourseHandle& h, const CourseHandle& n, float radius, const Vector3& q)
{
    const Vector3& p0 = h.vPos;
    const Vector3& p1 = n.vPos;
    const Vector3& t0 = h.vTanNext;
    const Vector3& tp = n.vTanPrev;
    const double b1x = double(p0.x) + double(t0.x) / 3.0;
    const double b1y = double(p0.y) + double(t0.y) / 3.0;
    const double b2x = double(p1.x) + double(tp.x) / 3.0;
    const double b2y = double(p1.y) + double(tp.y) / 3.0;
    const double loX = std::fmin(std::fmin(p0.x, p1.x), std::fmin(b1x, b2x));
    const double hiX = std::fmax(std::fmax(p0.x, p1.x), std::fmax(b1x, b2x));
    const double loY = std::fmin(std::fmin(p0.y, p1.y), std::fmin(b1y, b2y));
    const double hiY = std::fmax(std::fmax(p0.y, p1.y), std::fmax(b1y, b2y));
    const double r = std::fabs(double(radius));
    const double magX = std::fabs(p0.x) + std::fabs(p1.x) + std::fabs(t0.x) + std::fabs(tp.x);
    const double magY = std::fabs(p0.y) + std::fabs(p1.y) + std::fabs(t0.y) + std::fabs(tp.y);
    const double reachX = r + kRelSlack * (magX + r) + kAbsSlack;
    const double reachY = r + kRelSlack * (magY + r) + kAbsSlack;
    return OutsideBox(q, loX, hiX, loY, hiY, reachX, reachY);
}

// Neither width marker of h can be within its radius of q: each lies |width| from vPos.
bool WidthMarkersSurelyMissed(const CourseHandle& h, const Vector3& q)
{
    const double w = std::fmax(std::fabs(h.WidthLeft), std::fabs(h.WidthRight));
    const double r = kWidthMarkerRadius;
    const double reachX = w + r + kRelSlack * (w + r + std::fabs(h.vPos.x)) + kAbsSlack;
    const double reachY = w + r + kRelSlack * (w + r + std::fabs(h.vPos.y)) + kAbsSlack;
    return OutsideBox(q, h.vPos.x, h.vPos.x, h.vPos.y, h.vPos.y, reachX, reachY);
}

// The markers that need no spline, in the order they win.
HandlePart TipOrPosAt(const CourseHandle& h, const Vector3& q, Vector3* offset)
{
    const Vector3 tipNext = h.vPos + h.vTanNext * kTangentTipScale;
    const Vector3 tipPrev = h.vPos + h.vTanPrev * kTangentTipScale;
    if (WithinRadius(h.vPos, kPosRadius, q)) {
        if (offset)
            *offset = h.vPos - q;
        return HandlePart::Pos;
    }
    if (WithinRadius(tipNext, kTangentTipRadius, q)) {
        if (offset)
            *offset = tipNext - q;
        return HandlePart::TanNext;
    }
    if (WithinRadius(tipPrev, kTangentTipRadius, q)) {
        if (offset)
            *offset = tipPrev - q;
        return HandlePart::TanPrev;
    }
    return HandlePart::None;
}

HandlePart WidthMarkerAt(const CourseHandle& h, const Vector3& q, Vector3* offset)
{
    const Vector3 left = h.vPos + h.BorderOffset(0, h.WidthLeft);
    if (WithinRadius(left, kWidthMarkerRadius, q)) {
        if (offset)
            *offset = left - q;
        return HandlePart::WidthLeft;
    }
    const Vector3 right = h.vPos + h.BorderOffset(1, h.WidthRight);
    if (WithinRadius(right, kWidthMarkerRadius, q)) {
        if (offset)
            *offset = right - q;
        return HandlePart::WidthRight;
    }
    return HandlePart::None;
}

}  // namespace

bool SpanHitPlain(const CourseHandle& h, const CourseHandle& n, float radius, const Vector3& q, Vector3* nearest)
{
    Vector3 S[kPickSegments + 1];
    SamplePickSpan(h, n, S);

    bool found = false;
    float best = 1000.0f;
    Vector3 bestPoint;
    for (int j = 0; j < kPickSegments; ++j) {
        const Vector3& A = S[j];
        const Vector3& B = S[j + 1];
        const Vector3 D = B - A;
        const float L = D.Length();
        if (L < 0.001f)
            continue;
        const float u = Dot(D, q - A) / (L * L);
        Vector3 M;
        if (u < 0.0f)
            M = A;
        else if (u < 1.0f)
            M = A + D * u;
        else
            M = B;
        const float dist = (M - q).Length();
        if (dist < best) {
            found = true;
            best = dist;
            bestPoint = M;
        }
    }
    if (!found || !(best < radius))
        return false;
    if (nearest)
        *nearest = bestPoint;
    return true;
}

HandlePart HandlePartAtPlain(const CourseHandle& h, const CourseHandle& n, const Vector3& q, Vector3* offset)
{
    if (const HandlePart p = TipOrPosAt(h, q, offset); p != HandlePart::None)
        return p;
    if (const HandlePart p = WidthMarkerAt(h, q, offset); p != HandlePart::None)
        return p;
    if (SpanHitPlain(h, n, kSpanRadius, q, nullptr))
        return HandlePart::Span;
    return HandlePart::None;
}

bool CourseHandle::SpanHit(const CourseHandle& n, float radius, const Vector3& q, Vector3* nearest) const
{
    if (SpanSurelyMissed(*this, n, radius, q))
        return false;
    return SpanHitPlain(*this, n, radius, q, nearest);
}

HandlePart CourseHandle::HandlePartAt(const CourseHandle& n, const Vector3& q, Vector3* offset) const
{
    if (const HandlePart p = TipOrPosAt(*this, q, offset); p != HandlePart::None)
        return p;
    if (!WidthMarkersSurelyMissed(*this, q)) {
        if (const HandlePart p = WidthMarkerAt(*this, q, offset); p != HandlePart::None)
            return p;
    }
    if (SpanHit(n, kSpanRadius, q, nullptr))
        return HandlePart::Span;
    return HandlePart::None;
}

void CourseHandle::PickHandle(const CourseHandle& n, const Vector3& q)
{
    Vector3 offset;
    switch (const HandlePart p = HandlePartAt(n, q, &offset)) {
    case HandlePart::Pos:
    case HandlePart::TanNext:
    case HandlePart::TanPrev:
    case HandlePart::WidthLeft:
    case HandlePart::WidthRight:
        DragPart = p;
        DragOffset = offset;
        break;
    default:
        break;
    }
}

bool CourseHandle::DragHandle(const CourseHandle& n, const Vector3& q)
{
    const Vector3 g = q + DragOffset;
    switch (DragPart) {
    case HandlePart::Pos:
        vPos = g;
        return true;
    case HandlePart::TanNext:
        vTanNext = (g - vPos) / kTangentTipScale;
        return true;
    case HandlePart::TanPrev:
        vTanPrev = (g - vPos) / kTangentTipScale;
        return true;
    case HandlePart::WidthLeft:
        WidthLeft = (g - vPos).Length();
        return true;
    case HandlePart::WidthRight:
        WidthRight = (g - vPos).Length();
        return true;
    default:
        HoverPart = HandlePartAt(n, q);
        return HoverPart != HandlePart::None;
    }
}
