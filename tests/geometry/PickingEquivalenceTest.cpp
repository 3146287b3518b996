// The hit tests skip handles and objects that provably cannot be hit. Thousands of random
// courses and points, many placed right at the edge of a pick radius, must give exactly
// what the plain rules give: same part, same offset bits, same nearest point, same span.
#include "geometry/CourseSpline.h"
#include "geometry/HandleInsertion.h"
#include "geometry/HandlePicking.h"
#include "geometry/XObjectQueries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

namespace {

bool SameBits(const Vector3& a, const Vector3& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class Generator {
public:
    explicit Generator(unsigned seed) : m_rng(seed) {}

    double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_rng); }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

    // Tangent lengths from zero through tiny to huge, so spans are straight, looped or wild.
    Vector3 Tangent(double scale)
    {
        switch (Pick(7)) {
        case 0: return Vector3();
        case 6: {   // along an axis: markers then sit right at the edge of their boxes
            const double len = Uniform(-3, 3) * scale;
            return Pick(2) ? Vector3(len, 0, 0) : Vector3(0, len, 0);
        }
        case 1: return Vector3(Uniform(-1e-3, 1e-3), Uniform(-1e-3, 1e-3), 0);
        case 2: return Vector3(Uniform(-10, 10) * scale, Uniform(-10, 10) * scale, 0);
        default: return Vector3(Uniform(-2, 2) * scale, Uniform(-2, 2) * scale, 0);
        }
    }

    float Width()
    {
        switch (Pick(5)) {
        case 0: return 0.0f;
        case 1: return static_cast<float>(Uniform(-10, 0));
        default: return static_cast<float>(Uniform(0, 20));
        }
    }

    CourseHandle Handle(double scale)
    {
        CourseHandle h;
        h.vPos = Vector3(Uniform(-1, 1) * scale, Uniform(-1, 1) * scale, 0);
        h.vTanNext = Tangent(scale);
        h.vTanPrev = Pick(3) == 0 ? -h.vTanNext : Tangent(scale);
        h.WidthLeft = Width();
        h.WidthRight = Width();
        return h;
    }

    // A point at distance r (nudged by a few units in the last place) from c.
    Vector3 Around(const Vector3& c, double r)
    {
        const double a = Pick(2) ? Uniform(0, 2 * 3.141592653589793) : Pick(4) * 3.141592653589793 / 2;
        Vector3 q(c.x + r * std::cos(a), c.y + r * std::sin(a), 0);
        const int steps = Pick(7) - 3;
        for (int i = 0; i < std::abs(steps); ++i) {
            q.x = std::nextafter(q.x, steps > 0 ? INFINITY : -INFINITY);
            q.y = std::nextafter(q.y, steps > 0 ? INFINITY : -INFINITY);
        }
        return q;
    }

private:
    std::mt19937 m_rng;
};

struct Tally {
    int parts[7] = {};
    int spanHits = 0;
    int spanMisses = 0;
};

void CompareAt(const CourseHandle& h, const CourseHandle& n, const Vector3& q, float radius, Tally& tally)
{
    Vector3 fastOffset(7, 7, 7), plainOffset(7, 7, 7);
    const HandlePart fast = h.HandlePartAt(n, q, &fastOffset);
    const HandlePart plain = HandlePartAtPlain(h, n, q, &plainOffset);
    ASSERT_EQ(fast, plain) << "q = " << q.x << ", " << q.y;
    ASSERT_TRUE(SameBits(fastOffset, plainOffset));
    ++tally.parts[static_cast<int>(plain)];

    Vector3 fastNearest(7, 7, 7), plainNearest(7, 7, 7);
    const bool fastHit = h.SpanHit(n, radius, q, &fastNearest);
    const bool plainHit = SpanHitPlain(h, n, radius, q, &plainNearest);
    ASSERT_EQ(fastHit, plainHit) << "radius " << radius << " q = " << q.x << ", " << q.y;
    ASSERT_TRUE(SameBits(fastNearest, plainNearest));
    ++(plainHit ? tally.spanHits : tally.spanMisses);
}

}  // namespace

TEST(PickingEquivalence, HandlePartsAndSpanHitsMatchThePlainRules)
{
    Generator gen(20240611);
    Tally tally;
    const double scales[] = {1e-3, 1.0, 30.0, 1e3, 1e5, 3e6};
    const float radii[] = {2.0f, 2.0f, 0.5f, 7.0f, 1e-4f, 0.0f};
    for (int course = 0; course < 3000; ++course) {
        const double scale = scales[gen.Pick(6)];
        const CourseHandle h = gen.Handle(scale);
        const CourseHandle n = gen.Pick(10) == 0 ? h : gen.Handle(scale);
        const float radius = radii[gen.Pick(6)];

        Vector3 S[kPickSegments + 1];
        SamplePickSpan(h, n, S);
        const Vector3 markers[] = {
            h.vPos,
            h.vPos + h.vTanNext * kTangentTipScale,
            h.vPos + h.vTanPrev * kTangentTipScale,
            h.vPos + h.BorderOffset(BorderSide::Left, h.WidthLeft),
            h.vPos + h.BorderOffset(BorderSide::Right, h.WidthRight),
        };
        const double markerRadii[] = {2.0, 4.0, 4.0, 2.0, 2.0};
        for (int k = 0; k < 30; ++k) {
            Vector3 q;
            switch (gen.Pick(5)) {
            case 0:   // anywhere near the span's reach
                q = Vector3(gen.Uniform(-1.5, 1.5) * scale * 3, gen.Uniform(-1.5, 1.5) * scale * 3, 0);
                break;
            case 1:   // on the rim of the span radius around a sample, where the extremes are
            case 2:
                q = gen.Around(S[gen.Pick(kPickSegments + 1)], gen.Pick(2) ? radius : kSpanRadius);
                break;
            case 3: {   // on the rim of a marker
                const int m = gen.Pick(5);
                q = gen.Around(markers[m], markerRadii[m]);
                break;
            }
            default:   // just outside the reach, in a random direction
                q = gen.Around(S[gen.Pick(kPickSegments + 1)], gen.Uniform(radius, radius + 3.0));
                break;
            }
            CompareAt(h, n, q, radius, tally);
            if (HasFatalFailure())
                return;
        }
    }
    // The points really exercised every branch.
    for (int p = 0; p <= 6; ++p)
        EXPECT_GT(tally.parts[p], 50) << "part " << p;
    EXPECT_GT(tally.spanHits, 5000);
    EXPECT_GT(tally.spanMisses, 20000);
}

TEST(PickingEquivalence, ChosenInsertionSpanMatchesAPlainWalk)
{
    Generator gen(99);
    for (int course = 0; course < 300; ++course) {
        RecordList<CourseHandle> handles;
        const int n = 1 + gen.Pick(12);
        for (int i = 0; i < n; ++i)
            handles.Add(gen.Handle(20.0));
        for (int k = 0; k < 40; ++k) {
            Vector3 S[kPickSegments + 1];
            const int s = gen.Pick(n);
            SamplePickSpan(handles[s], handles[(s + 1) % n], S);
            const Vector3 q = gen.Around(S[gen.Pick(kPickSegments + 1)], gen.Uniform(0, 2.5));

            int plain = -1;
            Vector3 plainM(7, 7, 7);
            for (int i = 0; i < n; ++i) {
                Vector3 M;
                if (SpanHitPlain(handles[i], handles[(i + 1) % n], kSpanRadius, q, &M)) {
                    plain = i;
                    plainM = M;
                }
            }
            Vector3 fastM(7, 7, 7);
            ASSERT_EQ(FindInsertionSpan(handles, q, &fastM), plain);
            ASSERT_TRUE(SameBits(fastM, plainM));
        }
    }
}

TEST(PickingEquivalence, ObjectPartsMatchThePlainRule)
{
    Generator gen(5);
    int parts[3] = {};
    for (int k = 0; k < 200000; ++k) {
        const double scale = k % 2 ? 50.0 : 1e6;
        const float direction = gen.Pick(2) ? static_cast<float>(gen.Uniform(-10, 10))
                                            : static_cast<float>(gen.Pick(4) * 3.141592653589793 / 2);
        XObject o("x", Vector3(gen.Uniform(-1, 1) * scale, gen.Uniform(-1, 1) * scale, 0), direction, 1, 1);
        Vector3 q;
        switch (gen.Pick(3)) {
        case 0: q = gen.Around(o.DirectionTip(), kDirectionTipRadius); break;
        case 1: q = gen.Around(o.Pos, kBodyRadius); break;
        default: q = gen.Around(o.Pos, gen.Uniform(0, 20)); break;
        }
        Vector3 fast(7, 7, 7), plain(7, 7, 7);
        const ObjectPart p = HitPartPlain(o, q, &plain);
        ASSERT_EQ(o.HitPart(q, &fast), p);
        ASSERT_TRUE(SameBits(fast, plain));
        ++parts[static_cast<int>(p)];
    }
    for (int p = 0; p < 3; ++p)
        EXPECT_GT(parts[p], 1000) << p;
}
