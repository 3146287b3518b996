#include "geometry/CourseSpline.h"

#include <cmath>
#include <cstdint>

Vector3 HermitePoint(float t, const Vector3& P0, const Vector3& P1, const Vector3& T0, const Vector3& T1)
{
    const double dt = t;
    const double s = 1.0 - dt;
    const float h00 = static_cast<float>((1.0 + 2.0 * dt) * (s * s));
    const float h01 = static_cast<float>((3.0 - 2.0 * dt) * (dt * dt));
    const float h10 = static_cast<float>(dt * (s * s));
    const float h11 = static_cast<float>((dt * dt) * (dt - 1.0));
    return P0 * h00 + P1 * h01 + T0 * h10 + T1 * h11;
}

Vector3 CourseHandle::SpanPoint(const CourseHandle& h1, float t) const
{
    return HermitePoint(t, vPos, h1.vPos, vTanNext, -h1.vTanPrev);
}

namespace {

// BorderOffset turns by kHalfPi up to twice per call, and the course draws six offsets per
// control point every frame.
const double kQuarterTurnCos = std::cos(static_cast<double>(kHalfPi));
const double kQuarterTurnSin = std::sin(static_cast<double>(kHalfPi));

}  // namespace

Vector3 CourseHandle::BorderOffset(BorderSide side, float width) const
{
    Vector3 Tn = vTanNext;
    if (const float len = Tn.Length(); len != 0.0f)
        Tn = Tn / len;
    Vector3 Tp = vTanPrev;
    if (const float len = Tp.Length(); len != 0.0f)
        Tp = Tp / len;

    Vector3 A = (Tn + Tp) / 2.0;
    if (A.Length() < 0.0001f) {
        // Opposite tangents: a smooth handle, normal straight across.
        A = RotatedZ(vTanNext, kQuarterTurnCos, kQuarterTurnSin);
    } else {
        // A corner: the bisector, turned to the side of the quarter-turned outgoing tangent.
        Vector3 R = RotatedZ(vTanNext, kQuarterTurnCos, kQuarterTurnSin);
        R.Normalize();
        A.Normalize();
        if (Dot(R, A) < 0.0f)
            A = -A;
    }
    A.Normalize();
    A *= width;
    if (side == BorderSide::Right)
        A *= -1.0;
    A.w = 1.0f;
    return A;
}

SpanLine LineOfSpan(const CourseHandle& h0, const CourseHandle& h1, SpanCurve curve)
{
    Vector3 O0(0.0, 0.0, 0.0);
    Vector3 O1(0.0, 0.0, 0.0);
    if (curve == LeftBorder) {
        O0 = h0.BorderOffset(BorderSide::Left, h0.WidthLeft);
        O1 = h1.BorderOffset(BorderSide::Left, h1.WidthLeft);
    } else if (curve == RightBorder) {
        O0 = h0.BorderOffset(BorderSide::Right, h0.WidthRight);
        O1 = h1.BorderOffset(BorderSide::Right, h1.WidthRight);
    }
    return {h0.vPos + O0, h1.vPos + O1, h0.vTanNext, -h1.vTanPrev};
}

Vector3 SpanLineVertex(const SpanLine& line, int i, int N)
{
    const float t = static_cast<float>(i) / static_cast<float>(N);
    return HermitePoint(t, line.P0, line.P1, line.T0, line.T1);
}

int SampleSpan(const CourseHandle& h0, const CourseHandle& h1, SpanCurve curve, int N, Vector3* out)
{
    if (N < 1)
        return 0;
    const SpanLine line = LineOfSpan(h0, h1, curve);
    for (std::int64_t i = 0; i <= N; ++i)
        out[i] = SpanLineVertex(line, static_cast<int>(i), N);
    return N + 1;
}

float PickParameter(int k)
{
    return static_cast<float>(k) * 0.05f;
}

void SamplePickSpan(const CourseHandle& h0, const CourseHandle& h1, Vector3 (&out)[kPickSegments + 1])
{
    for (int k = 0; k <= kPickSegments; ++k)
        out[k] = h0.SpanPoint(h1, PickParameter(k));
}
