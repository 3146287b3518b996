#include "geometry/HandlePicking.h"

#include "geometry/CourseSpline.h"
#include "geometry/PickBox.h"

#include <cmath>

namespace {

constexpr double kThird = 1.0 / 3.0;   // its rounding is far inside the slack

// Plain min and max: NaN need no care here, since a NaN input makes the reach NaN and
// SurelyOutsideBox then rejects nothing.
double Min(double a, double b) { return b < a ? b : a; }
double Max(double a, double b) { return a < b ? b : a; }
// How far a width reaches from vPos; a NaN width puts its marker nowhere.
double WidthReach(float width) { return width == width ? std::fabs(double(width)) : 0.0; }

// The span from h to n cannot come within radius of q. The centre line is a cubic Bezier
// with control points P0, P0 + T0/3, P1 - T1/3, P1 (T1 = -n.vTanPrev), so it lies in their box.
bool SpanSurelyMissed(const CourseHandle& h, const CourseHandle& n, float radius, const Vector3& q)
{
    const Vector3& p0 = h.vPos;
    const Vector3& p1 = n.vPos;
    const Vector3& t0 = h.vTanNext;
    const Vector3& tp = n.vTanPrev;
    const double b1x = double(p0.x) + double(t0.x) * kThird;
    const double b1y = double(p0.y) + double(t0.y) * kThird;
    const double b2x = double(p1.x) + double(tp.x) * kThird;
    const double b2y = double(p1.y) + double(tp.y) * kThird;
    const double loX = Min(Min(p0.x, p1.x), Min(b1x, b2x));
    const double hiX = Max(Max(p0.x, p1.x), Max(b1x, b2x));
    const double loY = Min(Min(p0.y, p1.y), Min(b1y, b2y));
    const double hiY = Max(Max(p0.y, p1.y), Max(b1y, b2y));
    const double r = std::fabs(double(radius));
    const double magX = std::fabs(p0.x) + std::fabs(p1.x) + std::fabs(t0.x) + std::fabs(tp.x);
    const double magY = std::fabs(p0.y) + std::fabs(p1.y) + std::fabs(t0.y) + std::fabs(tp.y);
    return SurelyOutsideBox(q, loX, hiX, loY, hiY, r, magX, magY);
}

// Neither width marker of h can be within its radius of q: each lies |width| from vPos.
bool WidthMarkersSurelyMissed(const CourseHandle& h, const Vector3& q)
{
    const double w = Max(WidthReach(h.WidthLeft), WidthReach(h.WidthRight));
    return SurelyOutsideBox(q, h.vPos.x, h.vPos.x, h.vPos.y, h.vPos.y, w + kWidthMarkerRadius,
                            std::fabs(h.vPos.x), std::fabs(h.vPos.y));
}

// No part of h can be under q: every marker and the span lie in the box of vPos, the two
// tangent tips and the span's control points, and none reaches further than its radius
// (a width marker: its width plus its radius) beyond it. Cheap enough to run on every
// handle of a big course at each mouse move; near handles then take the exact tests.
bool HandleSurelyMissed(const CourseHandle& h, const CourseHandle& n, const Vector3& q)
{
    const Vector3& p0 = h.vPos;
    const Vector3& p1 = n.vPos;
    const Vector3& t0 = h.vTanNext;
    const Vector3& tp = n.vTanPrev;
    const Vector3& back = h.vTanPrev;
    const double b1x = double(p0.x) + double(t0.x) * kThird;   // the vTanNext tip lies between p0 and b1
    const double b1y = double(p0.y) + double(t0.y) * kThird;
    const double b2x = double(p1.x) + double(tp.x) * kThird;
    const double b2y = double(p1.y) + double(tp.y) * kThird;
    const double cx = double(p0.x) + double(kTangentTipScale) * back.x;
    const double cy = double(p0.y) + double(kTangentTipScale) * back.y;
    const double loX = Min(Min(Min(p0.x, p1.x), Min(b1x, b2x)), cx);
    const double hiX = Max(Max(Max(p0.x, p1.x), Max(b1x, b2x)), cx);
    const double loY = Min(Min(Min(p0.y, p1.y), Min(b1y, b2y)), cy);
    const double hiY = Max(Max(Max(p0.y, p1.y), Max(b1y, b2y)), cy);
    const double w = Max(WidthReach(h.WidthLeft), WidthReach(h.WidthRight));
    const double r = Max(double(kTangentTipRadius), Max(double(kPosRadius), double(kSpanRadius)));
    const double reach = Max(r, w + kWidthMarkerRadius);
    const double magX = std::fabs(p0.x) + std::fabs(p1.x) + std::fabs(t0.x) + std::fabs(tp.x) + std::fabs(back.x);
    const double magY = std::fabs(p0.y) + std::fabs(p1.y) + std::fabs(t0.y) + std::fabs(tp.y) + std::fabs(back.y);
    return SurelyOutsideBox(q, loX, hiX, loY, hiY, reach, magX, magY);
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
    const Vector3 left = h.vPos + h.BorderOffset(BorderSide::Left, h.WidthLeft);
    if (WithinRadius(left, kWidthMarkerRadius, q)) {
        if (offset)
            *offset = left - q;
        return HandlePart::WidthLeft;
    }
    const Vector3 right = h.vPos + h.BorderOffset(BorderSide::Right, h.WidthRight);
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
    if (HandleSurelyMissed(*this, n, q))
        return HandlePart::None;
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
    // g: where the grabbed marker is to be.
    switch (DragPart) {
    case HandlePart::Pos:
        vPos = q + DragOffset;
        return true;
    case HandlePart::TanNext:
        vTanNext = (q + DragOffset - vPos) / kTangentTipScale;
        return true;
    case HandlePart::TanPrev:
        vTanPrev = (q + DragOffset - vPos) / kTangentTipScale;
        return true;
    case HandlePart::WidthLeft:
        WidthLeft = (q + DragOffset - vPos).Length();
        return true;
    case HandlePart::WidthRight:
        WidthRight = (q + DragOffset - vPos).Length();
        return true;
    default:
        HoverPart = HandlePartAt(n, q);
        return HoverPart != HandlePart::None;
    }
}
