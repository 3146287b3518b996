#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/Vector3.h"

// Point of the cubic Hermite curve at t; tangents enter unscaled. Every weight, scaled
// term and partial sum is a float, so results match the stored course bit for bit.
Vector3 HermitePoint(float t, const Vector3& P0, const Vector3& P1, const Vector3& T0, const Vector3& T1);

// The Hermite data of one line of a span: the end points moved by that line's border
// offsets, with the centre line's own tangents.
struct SpanLine {
    Vector3 P0;
    Vector3 P1;
    Vector3 T0;
    Vector3 T1;
};
SpanLine LineOfSpan(const CourseHandle& h0, const CourseHandle& h1, SpanCurve curve);

// Vertex i of a line drawn with N segments: t = i / N in float.
Vector3 SpanLineVertex(const SpanLine& line, int i, int N);

// The vertices DrawSpan emits, written to out[0..N]; nothing for N < 1. Returns the count.
int SampleSpan(const CourseHandle& h0, const CourseHandle& h1, SpanCurve curve, int N, Vector3* out);

// Picking walks the centre line at t = k * 0.05f, k = 0 ... 20 (not quite i / 20 in float).
constexpr int kPickSegments = 20;
float PickParameter(int k);
void SamplePickSpan(const CourseHandle& h0, const CourseHandle& h1, Vector3 (&out)[kPickSegments + 1]);

// The quarter turn of the border normal, as a float.
constexpr float kHalfPi = 1.5707964f;
