// The course check on small courses with known answers, and its broad phase against a reference
// that tries every segment against every segment.
#include "geometry/CourseCheck.h"
#include "geometry/CourseCheckRules.h"
#include "geometry/RoadSamples.h"
#include "support/Handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Course {
    RecordList<CourseHandle> handles;
    RecordList<XObject> objects;
};

CourseHandle Handle(double x, double y, double tx, double ty, float width)
{
    return MakeHandle(x, y, tx, ty, -tx, -ty, width, width);
}

// A smooth anticlockwise ring of eight handles, radius 100, road 5 + 5: nothing to find.
Course Ring()
{
    Course c;
    const double step = 2.0 * kPi / 8.0;
    for (int i = 0; i < 8; ++i) {
        const double a = i * step;
        c.handles.Add(Handle(100.0 * std::cos(a), 100.0 * std::sin(a), -100.0 * step * std::sin(a), 100.0 * step * std::cos(a), 5.0f));
    }
    return c;
}

// x = 100 sin t, y = 50 sin 2t through eight handles between the crossing's two passes: spans 3
// and 7 cross at the origin, at right angles.
Course FigureEight()
{
    Course c;
    const double step = 2.0 * kPi / 8.0;
    for (int i = 0; i < 8; ++i) {
        const double t = (i + 0.5) * step;
        c.handles.Add(Handle(100.0 * std::sin(t), 50.0 * std::sin(2 * t), 100.0 * step * std::cos(t), 100.0 * step * std::cos(2 * t), 5.0f));
    }
    return c;
}

// A teardrop whose span 0 turns on a radius of about 4 with 8 units of road on each side; the
// border on the inside (the right one, against the normal) runs backwards there.
Course Hairpin()
{
    Course c;
    c.handles.Add(Handle(0.0, -6.0, 40.0, 0.0, 8.0f));
    c.handles.Add(Handle(0.0, 6.0, -40.0, 0.0, 8.0f));
    c.handles.Add(Handle(-100.0, 0.0, 0.0, -150.0, 8.0f));
    return c;
}

XObject Object(double x, double y, float half)
{
    return XObject("tree_pine.x", Vector3(x, y, 0.0), 0.3f, half, half);
}

Course With(Course c, const std::function<void(Course&)>& change)
{
    change(c);
    return c;
}

CourseFinding Finding(FindingKind kind, FindingPart part, int index)
{
    return {.kind = kind, .part = part, .index = index, .where = {}};
}

CourseFinding Value(int handle, ValueField field, ValueProblem problem)
{
    return {.kind = FindingKind::Value, .part = FindingPart::Handle, .index = handle, .field = field, .problem = problem, .where = {}};
}

CourseFinding Fold(int handle, int sides)
{
    return {.kind = FindingKind::Fold, .part = FindingPart::Handle, .index = handle, .sides = sides, .where = {}};
}

CourseFinding Crossing(int handle, int other)
{
    return {.kind = FindingKind::Crossing, .part = FindingPart::Handle, .index = handle, .other = other, .where = {}};
}

// Everything but the place to show, which the rows do not pin down.
std::string Describe(const std::vector<CourseFinding>& findings)
{
    std::string out;
    for (const CourseFinding& f : findings) {
        out += (f.part == FindingPart::Handle ? "handle " : "object ") + std::to_string(f.index) + " kind " +
               std::to_string(int(f.kind)) + " other " + std::to_string(f.other) + " sides " + std::to_string(f.sides) +
               " field " + std::to_string(int(f.field)) + " problem " + std::to_string(int(f.problem)) + "\n";
    }
    return out;
}

struct Row {
    const char* name;
    Course course;
    std::vector<CourseFinding> expected;
};

TEST(CourseCheck, SmallCoursesGiveExactlyTheirFindings)
{
    const float nan = std::nanf("");
    const float inf = INFINITY;
    const std::vector<Row> rows = {
        {"smooth ring", Ring(), {}},
        {"tight hairpin with wide borders", Hairpin(), {Fold(0, kFoldRight)}},
        {"figure eight", FigureEight(), {Crossing(3, 7)}},
        {"figure eight with a bridge on the crossing",
         With(FigureEight(), [](Course& c) { c.objects.Add(Object(0.0, 0.0, 12.0f)); }), {}},
        {"figure eight with a tree beside the crossing",
         With(FigureEight(), [](Course& c) { c.objects.Add(Object(0.0, 30.0, 2.0f)); }), {Crossing(3, 7)}},
        {"tree on the road", With(Ring(), [](Course& c) { c.objects.Add(Object(100.0 * std::cos(0.4), 100.0 * std::sin(0.4), 1.5f)); }),
         {Finding(FindingKind::Overlap, FindingPart::Object, 0)}},
        {"tree beside the road", With(Ring(), [](Course& c) { c.objects.Add(Object(112.0 * std::cos(0.4), 112.0 * std::sin(0.4), 1.5f)); }), {}},
        {"nan in a position", With(Ring(), [&](Course& c) { c.handles[2].vPos.x = nan; }),
         {Value(2, ValueField::Pos, ValueProblem::NotFinite)}},
        {"inf as a width", With(Ring(), [&](Course& c) { c.handles[3].WidthLeft = inf; }),
         {Value(3, ValueField::WidthLeft, ValueProblem::NotFinite)}},
        {"1e30 in a tangent", With(Ring(), [](Course& c) { c.handles[4].vTanNext.y = 1e30f; }),
         {Value(4, ValueField::TanNext, ValueProblem::TooLarge)}},
        {"nan in an object", With(Ring(), [&](Course& c) { c.objects.Add(XObject("tree_pine.x", Vector3(), nan, 1.0f, 1.0f)); }),
         {{.kind = FindingKind::Value, .part = FindingPart::Object, .index = 0, .field = ValueField::Direction,
           .problem = ValueProblem::NotFinite, .where = {}}}},
        // The right border swaps sides on the way to handle 1 and back after it.
        {"negative width", With(Ring(), [](Course& c) { c.handles[1].WidthRight = -5.0f; }),
         {Fold(0, kFoldRight), Fold(1, kFoldRight), Value(1, ValueField::WidthRight, ValueProblem::NegativeWidth)}},
        {"two equal control points", With(Ring(), [](Course& c) { c.handles.InsertAt(5, c.handles[5]); }),
         {Value(5, ValueField::Span, ValueProblem::ZeroLength)}},
        // What a truncated file's huge count reads as: every span on one point, none searched.
        {"five thousand control points on one point", With(Course(), [](Course& c) { c.handles.SetSize(5000); }),
         [] {
             std::vector<CourseFinding> zero;
             for (int i = 0; i < 5000; ++i)
                 zero.push_back(Value(i, ValueField::Span, ValueProblem::ZeroLength));
             return zero;
         }()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<CourseFinding> found = CheckCourse(row.course.handles, row.course.objects).findings;
        std::vector<CourseFinding> expected = row.expected;
        std::sort(expected.begin(), expected.end(), FindingBefore);
        EXPECT_EQ(Describe(found), Describe(expected));
    }
}

// The reference: every segment against every segment, every object against every sample step,
// every crossing point against every object.
std::vector<CourseFinding> EveryPairFindings(const Course& c)
{
    const int n = c.handles.GetSize();
    std::vector<CourseFinding> out = CheckCourseValues(c.handles, c.objects);
    std::vector<char> usable(n);
    std::vector<RoadSpanSamples> road(n);
    for (int i = 0; i < n; ++i) {
        usable[i] = SpanGeometryUsable(c.handles[i], NextInRing(c.handles, i));
        road[i] = SampleRoadSpan(c.handles, i);
    }
    auto line = [&](int span, int l) -> const std::array<Vector3, kRoadSegments + 1>& {
        return l == 0 ? road[span].centre : l == 1 ? road[span].left : road[span].right;
    };
    struct Point {
        int a, la, ka, b, lb, kb;
        Vector3 at;
        bool bridged;
    };
    std::vector<Point> points;
    for (int i = 0; i < n; ++i) {
        if (!usable[i])
            continue;
        CourseFinding fold = Fold(i, 0);
        int firstStep = kRoadSegments;
        for (int k1 = 0; k1 < kRoadSegments; ++k1) {
            for (int l1 = 1; l1 < 3; ++l1) {
                if (RunsAgainst(line(i, l1)[k1], line(i, l1)[k1 + 1], road[i].centre[k1], road[i].centre[k1 + 1])) {
                    fold.sides |= l1;
                    firstStep = std::min(firstStep, k1);
                }
                for (int l2 = 0; l2 < 3; ++l2) {
                    for (int k2 = 0; k2 < kRoadSegments && l2 != l1; ++k2) {
                        if (SegmentsCross(line(i, l1)[k1], line(i, l1)[k1 + 1], line(i, l2)[k2], line(i, l2)[k2 + 1], nullptr)) {
                            fold.sides |= l1 | l2;
                            firstStep = std::min({firstStep, k1, k2});
                        }
                    }
                }
            }
        }
        if (fold.sides) {
            fold.where = road[i].centre[firstStep] + road[i].centre[firstStep + 1];
            fold.where = Vector3(fold.where.x / 2.0, fold.where.y / 2.0, 0.0);
            out.push_back(fold);
        }
        for (int j = i + 2; j < n; ++j) {
            if (!usable[j] || (j + 1) % n == i)
                continue;
            for (int la = 0; la < 3; ++la)
                for (int ka = 0; ka < kRoadSegments; ++ka)
                    for (int lb = 0; lb < 3; ++lb)
                        for (int kb = 0; kb < kRoadSegments; ++kb) {
                            Vector3 at;
                            if (SegmentsCross(line(i, la)[ka], line(i, la)[ka + 1], line(j, lb)[kb], line(j, lb)[kb + 1], &at))
                                points.push_back({i, la, ka, j, lb, kb, at, false});
                        }
        }
    }
    std::vector<char> bridge(c.objects.GetSize());
    std::vector<char> overlaps(c.objects.GetSize());
    for (int o = 0; o < c.objects.GetSize(); ++o) {
        if (!ObjectGeometryUsable(c.objects[o]))
            continue;
        const Footprint f = FootprintOf(c.objects[o]);
        for (Point& p : points) {
            if (FootprintHolds(f, p.at)) {
                p.bridged = true;
                bridge[o] = 1;
            }
        }
        for (int i = 0; i < n; ++i) {
            for (int k = 0; k < kRoadSegments && usable[i]; ++k) {
                if (FootprintMeetsRoadStep(f, road[i].left[k], road[i].left[k + 1], road[i].right[k], road[i].right[k + 1]))
                    overlaps[o] = 1;
            }
        }
    }
    // A pair's finding lies at the middle of its crossing points, summed in rank order.
    std::sort(points.begin(), points.end(), [](const Point& p, const Point& q) {
        return std::tie(p.a, p.b, p.la, p.lb, p.ka, p.kb) < std::tie(q.a, q.b, q.la, q.lb, q.ka, q.kb);
    });
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            double x = 0.0;
            double y = 0.0;
            int count = 0;
            for (const Point& p : points) {
                if (p.a == i && p.b == j && !p.bridged) {
                    x += p.at.x;
                    y += p.at.y;
                    ++count;
                }
            }
            if (count > 0) {
                CourseFinding f = Crossing(i, j);
                f.where = Vector3(x / count, y / count, 0.0);
                out.push_back(f);
            }
        }
    }
    for (int o = 0; o < c.objects.GetSize(); ++o) {
        if (overlaps[o] && !bridge[o]) {
            CourseFinding f = Finding(FindingKind::Overlap, FindingPart::Object, o);
            f.where = c.objects[o].Pos;
            out.push_back(f);
        }
    }
    std::stable_sort(out.begin(), out.end(), FindingBefore);
    return out;
}

// Wobbly rings, some tight enough to fold and cross, with objects strewn over them, odd widths
// and now and then a value that is not a number.
TEST(CourseCheck, BroadPhaseFindsWhatEveryPairFinds)
{
    std::mt19937 rng(7);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    int kinds[4] = {};
    for (int round = 0; round < 60; ++round) {
        Course c;
        const int n = 3 + static_cast<int>(uniform(0, 14));
        const double radius = uniform(20, 120);
        for (int i = 0; i < n; ++i) {
            const double a = 2.0 * kPi * i / n + uniform(-0.5, 0.5);
            const double r = radius * uniform(0.3, 1.4);
            CourseHandle h = Handle(r * std::cos(a), r * std::sin(a), uniform(-150, 150), uniform(-150, 150), static_cast<float>(uniform(-2, 25)));
            h.WidthRight = static_cast<float>(uniform(0, 25));
            if (uniform(0, 1) < 0.3)
                h.vTanPrev = Vector3(uniform(-150, 150), uniform(-150, 150), 0.0);
            if (uniform(0, 1) < 0.03)
                h.vTanNext.x = std::nanf("");
            c.handles.Add(h);
        }
        const int objects = static_cast<int>(uniform(0, 25));
        for (int o = 0; o < objects; ++o)
            c.objects.Add(XObject("x", Vector3(uniform(-1.5, 1.5) * radius, uniform(-1.5, 1.5) * radius, 0.0),
                                  static_cast<float>(uniform(-4, 4)), static_cast<float>(uniform(0, 20)), static_cast<float>(uniform(0, 12))));
        const std::vector<CourseFinding> fast = CheckCourse(c.handles, c.objects).findings;
        ASSERT_EQ(fast, EveryPairFindings(c)) << "round " << round << "\n" << Describe(fast);
        for (const CourseFinding& f : fast)
            ++kinds[int(f.kind)];
    }
    // The courses exercise every rule.
    for (int k = 0; k < 4; ++k)
        EXPECT_GT(kinds[k], 5) << "kind " << k;
}

}  // namespace
