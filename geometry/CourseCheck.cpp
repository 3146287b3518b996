#include "geometry/CourseCheck.h"

#include "geometry/BoxPairs.h"
#include "geometry/CourseCheckRules.h"
#include "geometry/RoadSamples.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <tuple>

namespace {

constexpr int kSteps = kRoadSegments;

// The three lines of a span, in the order a crossing's detail is ranked by.
const std::array<Vector3, kSteps + 1>& Line(const RoadSpanSamples& s, int line)
{
    return line == 0 ? s.centre : line == 1 ? s.left : s.right;
}

int SidesOf(int line)
{
    return line == 1 ? kFoldLeft : line == 2 ? kFoldRight : 0;
}

PlaneBox BoxOf(std::initializer_list<Vector3> points)
{
    PlaneBox b{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (const Vector3& p : points) {
        b.minX = std::fmin(b.minX, p.x);
        b.minY = std::fmin(b.minY, p.y);
        b.maxX = std::fmax(b.maxX, p.x);
        b.maxY = std::fmax(b.maxY, p.y);
    }
    return b;
}

Vector3 Midpoint(const Vector3& a, const Vector3& b)
{
    return Vector3((double(a.x) + b.x) / 2.0, (double(a.y) + b.y) / 2.0, 0.0);
}

double Distance(const Vector3& a, const Vector3& b)
{
    return std::hypot(double(a.x) - b.x, double(a.y) - b.y);
}

double PolylineLength(const std::array<Vector3, kSteps + 1>& line)
{
    double length = 0.0;
    for (int k = 0; k < kSteps; ++k)
        length += Distance(line[k], line[k + 1]);
    return length;
}

// Radius of the circle through p, q, r; 0 when they lie on a line or two coincide.
double CircleRadius(const Vector3& p, const Vector3& q, const Vector3& r)
{
    const double a = Distance(p, q);
    const double b = Distance(q, r);
    const double c = Distance(r, p);
    const double twiceArea = std::fabs((double(q.x) - p.x) * (double(r.y) - p.y) - (double(q.y) - p.y) * (double(r.x) - p.x));
    if (a == 0.0 || b == 0.0 || twiceArea == 0.0)
        return 0.0;
    return a * b * c / (2.0 * twiceArea);
}

// One point where lines of two spans cross, the lower span first.
struct CrossingPoint {
    int spanA;
    int spanB;
    int lineA;
    int stepA;
    int lineB;
    int stepB;
    Vector3 at;
    bool bridged = false;
};

// The order crossing points are summed in, so that any search order gives the same middle.
auto RankOf(const CrossingPoint& c)
{
    return std::tie(c.spanA, c.spanB, c.lineA, c.lineB, c.stepA, c.stepB);
}

struct Checker {
    Checker(const RecordList<CourseHandle>& h, const RecordList<XObject>& o)
        : handles(h), objects(o), n(h.GetSize()),
          geometry(static_cast<long long>(h.GetSize()) + o.GetSize() <= kLargestGeometryCheck)
    {
        const std::size_t spans = static_cast<std::size_t>(n);
        spanUsable.assign(spans, 0);
        road.resize(geometry ? spans : 0);
        foldSides.assign(spans, 0);
        foldStep.assign(spans, kSteps);
        for (int i = 0; i < n; ++i) {
            spanUsable[i] = HandleValuesUsable(handles[i]) && HandleValuesUsable(NextInRing(handles, i));
            if (spanUsable[i] && geometry)
                road[i] = SampleRoadSpan(handles, i);
        }
        for (int k = 0; k < objects.GetSize(); ++k) {
            footprints.push_back(FootprintOf(objects[k]));
            if (footprints.back().hasArea && ObjectValuesUsable(objects[k]))
                usableObjects.push_back(k);
        }
        overlaps.assign(static_cast<std::size_t>(objects.GetSize()), 0);
        bridge.assign(static_cast<std::size_t>(objects.GetSize()), 0);
    }

    const RecordList<CourseHandle>& handles;
    const RecordList<XObject>& objects;
    int n = 0;
    bool geometry = true;   // small enough for the rules beyond the value rule
    std::vector<char> spanUsable;
    std::vector<RoadSpanSamples> road;
    std::vector<int> foldSides;
    std::vector<int> foldStep;
    std::vector<CrossingPoint> crossings;
    std::vector<Footprint> footprints;
    std::vector<int> usableObjects;   // with an area and usable values
    std::vector<char> overlaps;
    std::vector<char> bridge;

    bool Neighbours(int a, int b) const
    {
        return a == b || (a + 1) % n == b || (b + 1) % n == a;
    }

    void NoteFold(int span, int sides, int step)
    {
        foldSides[span] |= sides;
        foldStep[span] = std::min(foldStep[span], step);
    }

    // Within one step: a border against the centre line.
    void FoldsOfStep(int span, int k)
    {
        const RoadSpanSamples& s = road[span];
        if (RunsAgainst(s.left[k], s.left[k + 1], s.centre[k], s.centre[k + 1]))
            NoteFold(span, kFoldLeft, k);
        if (RunsAgainst(s.right[k], s.right[k + 1], s.centre[k], s.centre[k + 1]))
            NoteFold(span, kFoldRight, k);
    }

    // Two segments of different lines of one span (not both the centre line).
    void FoldOfSegments(int span, int l1, int k1, int l2, int k2)
    {
        const auto& a = Line(road[span], l1);
        const auto& b = Line(road[span], l2);
        if (SegmentsCross(a[k1], a[k1 + 1], b[k2], b[k2 + 1], nullptr))
            NoteFold(span, SidesOf(l1) | SidesOf(l2), std::min(k1, k2));
    }

    void CrossingOfSegments(int s1, int l1, int k1, int s2, int l2, int k2)
    {
        if (s1 > s2) {
            std::swap(s1, s2);
            std::swap(l1, l2);
            std::swap(k1, k2);
        }
        const auto& a = Line(road[s1], l1);
        const auto& b = Line(road[s2], l2);
        Vector3 at;
        if (SegmentsCross(a[k1], a[k1 + 1], b[k2], b[k2 + 1], &at))
            crossings.push_back({s1, s2, l1, k1, l2, k2, at});
    }

    void OverlapOfStep(int object, int span, int k)
    {
        if (overlaps[object])
            return;
        const RoadSpanSamples& s = road[span];
        if (FootprintMeetsRoadStep(footprints[object], s.left[k], s.left[k + 1], s.right[k], s.right[k + 1]))
            overlaps[object] = 1;
    }

    // Folds and crossings: every segment of every drawn line, filed by its own box.
    void LinesMeeting()
    {
        std::vector<PlaneBox> boxes;
        std::vector<int> ids;
        for (int i = 0; i < n; ++i) {
            if (!spanUsable[i])
                continue;
            for (int k = 0; k < kSteps; ++k) {
                FoldsOfStep(i, k);
                for (int l = 0; l < 3; ++l) {
                    const auto& line = Line(road[i], l);
                    boxes.push_back(BoxOf({line[k], line[k + 1]}));
                    ids.push_back((i * 3 + l) * kSteps + k);
                }
            }
        }
        ForEachMeetingPair(boxes, [&](int a, int b) {
            const int sa = ids[a] / (3 * kSteps);
            const int la = ids[a] / kSteps % 3;
            const int ka = ids[a] % kSteps;
            const int sb = ids[b] / (3 * kSteps);
            const int lb = ids[b] / kSteps % 3;
            const int kb = ids[b] % kSteps;
            if (sa == sb) {
                if (la != lb && (la != 0 || lb != 0))
                    FoldOfSegments(sa, la, ka, lb, kb);
            } else if (!Neighbours(sa, sb)) {
                CrossingOfSegments(sa, la, ka, sb, lb, kb);
            }
        });
    }

    // Objects against the road surface: the footprints against the boxes of the sample steps.
    void ObjectsOnRoad()
    {
        std::vector<PlaneBox> steps;
        std::vector<int> ids;
        for (int i = 0; i < n; ++i) {
            if (!spanUsable[i])
                continue;
            const RoadSpanSamples& s = road[i];
            for (int k = 0; k < kSteps; ++k) {
                steps.push_back(BoxOf({s.left[k], s.left[k + 1], s.right[k], s.right[k + 1]}));
                ids.push_back(i * kSteps + k);
            }
        }
        ForEachMeetingPair(steps, FootprintBoxes(), [&](int step, int item) {
            OverlapOfStep(usableObjects[item], ids[step] / kSteps, ids[step] % kSteps);
        });
    }

    std::vector<PlaneBox> FootprintBoxes() const
    {
        std::vector<PlaneBox> boxes;
        for (int o : usableObjects) {
            const auto& c = footprints[o].corners;
            boxes.push_back(BoxOf({c[0], c[1], c[2], c[3]}));
        }
        return boxes;
    }

    // A crossing inside an object's footprint is a bridge or a tunnel, and that object
    // stands there on purpose.
    void Bridges()
    {
        std::vector<PlaneBox> points;
        for (const CrossingPoint& c : crossings)
            points.push_back(BoxOf({c.at}));
        ForEachMeetingPair(points, FootprintBoxes(), [&](int p, int item) {
            const int o = usableObjects[item];
            if (FootprintHolds(footprints[o], crossings[p].at)) {
                crossings[p].bridged = true;
                bridge[o] = 1;
            }
        });
    }

    void Findings(std::vector<CourseFinding>& out)
    {
        for (int i = 0; i < n; ++i) {
            if (foldSides[i] == 0)
                continue;
            CourseFinding f;
            f.kind = FindingKind::Fold;
            f.index = i;
            f.sides = foldSides[i];
            f.where = Midpoint(road[i].centre[foldStep[i]], road[i].centre[foldStep[i] + 1]);
            out.push_back(f);
        }
        std::sort(crossings.begin(), crossings.end(), [](const CrossingPoint& a, const CrossingPoint& b) { return RankOf(a) < RankOf(b); });
        // One finding per pair of spans, shown at the middle of its crossing points (a crossing
        // road's borders and centre lines cross in up to nine), summed in rank order.
        for (std::size_t k = 0; k < crossings.size();) {
            std::size_t end = k;
            double x = 0.0;
            double y = 0.0;
            int count = 0;
            for (; end < crossings.size() && crossings[end].spanA == crossings[k].spanA && crossings[end].spanB == crossings[k].spanB; ++end) {
                if (crossings[end].bridged)
                    continue;
                x += crossings[end].at.x;
                y += crossings[end].at.y;
                ++count;
            }
            if (count > 0) {
                CourseFinding f;
                f.kind = FindingKind::Crossing;
                f.index = crossings[k].spanA;
                f.other = crossings[k].spanB;
                f.where = Vector3(x / count, y / count, 0.0);
                out.push_back(f);
            }
            k = end;
        }
        for (int o = 0; o < objects.GetSize(); ++o) {
            if (!overlaps[o] || bridge[o])
                continue;
            CourseFinding f;
            f.kind = FindingKind::Overlap;
            f.part = FindingPart::Object;
            f.index = o;
            f.where = objects[o].Pos;
            out.push_back(f);
        }
    }

    // The drawn samples of span i: kept ones, or sampled now into `spare`.
    const RoadSpanSamples& Samples(int i, RoadSpanSamples& spare) const
    {
        if (geometry)
            return road[i];
        spare = SampleRoadSpan(handles, i);
        return spare;
    }

    void Figures(CourseFigures& fig) const
    {
        fig.handleCount = n;
        fig.objectCount = objects.GetSize();
        RoadSpanSamples spare;
        Vector3 previousLast;   // the previous span's centre vertex before its last
        for (int i = 0; i < n; ++i) {
            if (!spanUsable[i])
                continue;
            const RoadSpanSamples& s = Samples(i, spare);
            fig.centreLength += PolylineLength(s.centre);
            fig.leftLength += PolylineLength(s.left);
            fig.rightLength += PolylineLength(s.right);
            const int previous = (i + n - 1) % n;
            if (!geometry && i == 0 && spanUsable[previous]) {
                RoadSpanSamples last = SampleRoadSpan(handles, previous);
                previousLast = last.centre[kSteps - 1];
            } else if (geometry && spanUsable[previous]) {
                previousLast = road[previous].centre[kSteps - 1];
            }
            for (int k = 0; k < kSteps; ++k) {
                // The joint's circle takes the previous span's last step, when it was drawn.
                if (k == 0 && !spanUsable[previous])
                    continue;
                const Vector3& p = k == 0 ? previousLast : s.centre[k - 1];
                const double r = CircleRadius(p, s.centre[k], s.centre[k + 1]);
                if (r > 0.0 && (fig.smallestRadiusHandle < 0 || r < fig.smallestRadius)) {
                    fig.smallestRadius = r;
                    fig.smallestRadiusHandle = i;
                    fig.smallestRadiusAt = s.centre[k];
                }
            }
            previousLast = s.centre[kSteps - 1];
        }
    }
};

ValueProblem ProblemOf(double v)
{
    if (!std::isfinite(v))
        return ValueProblem::NotFinite;
    return std::fabs(v) > kLargestCourseValue ? ValueProblem::TooLarge : ValueProblem::None;
}

ValueProblem ProblemOf(const Vector3& v)
{
    const ValueProblem x = ProblemOf(v.x);
    const ValueProblem y = ProblemOf(v.y);
    return x == ValueProblem::NotFinite || y == ValueProblem::NotFinite ? ValueProblem::NotFinite : std::max(x, y);
}

ValueProblem WidthProblem(float w)
{
    const ValueProblem p = ProblemOf(w);
    return p == ValueProblem::None && w < 0.0f ? ValueProblem::NegativeWidth : p;
}

Vector3 ShownAt(const Vector3& pos)
{
    return ProblemOf(pos) == ValueProblem::None ? pos : Vector3();
}

void AddValue(std::vector<CourseFinding>& out, FindingPart part, int index, ValueField field, ValueProblem problem, const Vector3& pos)
{
    if (problem == ValueProblem::None)
        return;
    CourseFinding f;
    f.kind = FindingKind::Value;
    f.part = part;
    f.index = index;
    f.field = field;
    f.problem = problem;
    f.where = ShownAt(pos);
    out.push_back(f);
}

}  // namespace

bool FindingBefore(const CourseFinding& a, const CourseFinding& b)
{
    return std::tie(a.part, a.index, a.kind, a.field, a.other) < std::tie(b.part, b.index, b.kind, b.field, b.other);
}

std::vector<CourseFinding> CheckCourseValues(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects)
{
    std::vector<CourseFinding> out;
    const int n = handles.GetSize();
    for (int i = 0; i < n; ++i) {
        const CourseHandle& h = handles[i];
        const FindingPart part = FindingPart::Handle;
        AddValue(out, part, i, ValueField::Pos, ProblemOf(h.vPos), h.vPos);
        AddValue(out, part, i, ValueField::TanNext, ProblemOf(h.vTanNext), h.vPos);
        AddValue(out, part, i, ValueField::TanPrev, ProblemOf(h.vTanPrev), h.vPos);
        AddValue(out, part, i, ValueField::WidthRight, WidthProblem(h.WidthRight), h.vPos);
        AddValue(out, part, i, ValueField::WidthLeft, WidthProblem(h.WidthLeft), h.vPos);
        const Vector3& next = NextInRing(handles, i).vPos;
        if (h.vPos.x == next.x && h.vPos.y == next.y)
            AddValue(out, part, i, ValueField::Span, ValueProblem::ZeroLength, h.vPos);
    }
    for (int o = 0; o < objects.GetSize(); ++o) {
        const XObject& x = objects[o];
        const FindingPart part = FindingPart::Object;
        AddValue(out, part, o, ValueField::Pos, ProblemOf(x.Pos), x.Pos);
        AddValue(out, part, o, ValueField::Direction, ProblemOf(x.Direction), x.Pos);
        AddValue(out, part, o, ValueField::Width, ProblemOf(x.Width), x.Pos);
        AddValue(out, part, o, ValueField::Height, ProblemOf(x.Height), x.Pos);
    }
    return out;
}

CourseCheckResult CheckCourse(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects)
{
    Checker c(handles, objects);
    CourseCheckResult result;
    result.findings = CheckCourseValues(handles, objects);
    result.geometryChecked = c.geometry;
    if (c.geometry) {
        c.LinesMeeting();
        c.ObjectsOnRoad();
        c.Bridges();
        c.Findings(result.findings);
    }
    std::stable_sort(result.findings.begin(), result.findings.end(), FindingBefore);
    c.Figures(result.figures);
    return result;
}
