// The hit tests' shortcuts must give exactly what the plain rules give.
#include "geometry/CourseSpline.h"
#include "geometry/HandlePicking.h"
#include "geometry/XObjectQueries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <random>

namespace {

bool SameBits(const Vector3& a, const Vector3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Generator {
    std::mt19937 rng{20240611};
    double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    // Zero, tiny, axis-aligned (markers at the edge of their boxes) and ordinary tangents.
    Vector3 Tangent(double s)
    {
        const int k = Pick(4);
        const double len = Uniform(-3, 3) * s;
        return k == 0 ? Vector3() : k == 1 ? Vector3(Uniform(-1e-3, 1e-3), 0, 0)
                                  : k == 2 ? Vector3(0, len, 0) : Vector3(len, Uniform(-3, 3) * s, 0);
    }
    CourseHandle Handle(double s)
    {
        CourseHandle h;
        h.vPos = Vector3(Uniform(-1, 1) * s, Uniform(-1, 1) * s, 0);
        h.vTanNext = Tangent(s);
        h.vTanPrev = Pick(3) == 0 ? -h.vTanNext : Tangent(s);
        h.WidthLeft = static_cast<float>(Pick(4) == 0 ? 0.0 : Uniform(-10, 20));
        h.WidthRight = static_cast<float>(Uniform(-10, 20));
        return h;
    }
    // A point at distance r from c, nudged a few units in the last place.
    Vector3 Around(const Vector3& c, double r)
    {
        const double a = Pick(2) ? Uniform(0, 2 * M_PI) : Pick(4) * M_PI / 2;
        Vector3 q(c.x + r * std::cos(a), c.y + r * std::sin(a), 0);
        const int steps = Pick(7) - 3;
        for (int i = 0; i < std::abs(steps); ++i) {
            q.x = std::nextafter(q.x, steps > 0 ? INFINITY : -INFINITY);
            q.y = std::nextafter(q.y, steps > 0 ? INFINITY : -INFINITY);
        }
        return q;
    }
};

// Random control points and objects at every scale, and points around each marker, chord and
// body, at the rim of its pick radius and nudged a few units in the last place either way.
TEST(PickingEquivalence, HandlePartsSpanHitsAndObjectPartsMatchThePlainRules)
{
    Generator gen;
    int handleParts[7] = {};
    int objectParts[3] = {};
    for (int course = 0; course < 3000; ++course) {
        const double scale = std::pow(10.0, gen.Pick(9) - 3);
        const CourseHandle h = gen.Handle(scale);
        const CourseHandle n = gen.Pick(10) == 0 ? h : gen.Handle(scale);
        const float radius = std::array{2.0f, 0.5f, 7.0f, 1e-4f, 0.0f}[gen.Pick(5)];
        Vector3 S[kPickSegments + 1];
        SamplePickSpan(h, n, S);
        const Vector3 markers[] = {h.vPos, h.vPos + h.vTanNext * kTangentTipScale, h.vPos + h.vTanPrev * kTangentTipScale,
                                   h.vPos + h.BorderOffset(BorderSide::Left, h.WidthLeft),
                                   h.vPos + h.BorderOffset(BorderSide::Right, h.WidthRight)};
        for (int k = 0; k < 30; ++k) {
            const int m = gen.Pick(5);
            const Vector3 q = k % 3 == 0 ? gen.Around(markers[m], m == 1 || m == 2 ? 4.0 : 2.0)
                                         : gen.Around(S[gen.Pick(kPickSegments + 1)],
                                                      k % 3 == 1 ? (gen.Pick(2) ? radius : kSpanRadius)
                                                                 : gen.Uniform(0, radius + 3.0));
            Vector3 fast(7, 7, 7), plain(7, 7, 7);
            const HandlePart part = HandlePartAtPlain(h, n, q, &plain);
            ASSERT_EQ(h.HandlePartAt(n, q, &fast), part) << q.x << ", " << q.y;
            ASSERT_TRUE(SameBits(fast, plain));
            ++handleParts[static_cast<int>(part)];
            fast = plain = Vector3(7, 7, 7);
            ASSERT_EQ(h.SpanHit(n, radius, q, &fast), SpanHitPlain(h, n, radius, q, &plain)) << radius;
            ASSERT_TRUE(SameBits(fast, plain));
        }
        // Objects near the origin and far from it, turned any way or square to the axes.
        for (int k = 0; k < 60; ++k) {
            const double at = k % 2 ? 50.0 : 1e6;
            const float direction = static_cast<float>(gen.Pick(2) ? gen.Uniform(-10, 10) : gen.Pick(4) * M_PI / 2);
            const XObject o("x", Vector3(gen.Uniform(-1, 1) * at, gen.Uniform(-1, 1) * at, 0), direction, 1, 1);
            const int m = gen.Pick(3);
            const Vector3 q = m == 0 ? gen.Around(o.DirectionTip(), kDirectionTipRadius)
                                     : gen.Around(o.Pos, m == 1 ? kBodyRadius : gen.Uniform(0, 20));
            Vector3 fast(7, 7, 7), plain(7, 7, 7);
            const ObjectPart part = HitPartPlain(o, q, &plain);
            ASSERT_EQ(o.HitPart(q, &fast), part);
            ASSERT_TRUE(SameBits(fast, plain));
            ++objectParts[static_cast<int>(part)];
        }
    }
    // The points really reached every part.
    EXPECT_GT(*std::min_element(std::begin(handleParts), std::end(handleParts)), 50);
    EXPECT_GT(*std::min_element(std::begin(objectParts), std::end(objectParts)), 1000);
}

}  // namespace
