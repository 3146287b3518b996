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
        b.minX = std::min<double>(b.minX, p.x);
        b.minY = std::min<double>(b.minY, p.y);
        b.maxX = std::max<double>(b.maxX, p.x);
        b.maxY = std::max<double>(b.maxY, p.y);
    }
    return b;
}

Vector3 Midpoint(const Vector3& a, const Vector3& b)
{
    return Vector3((double(a.x) + b.x) / 2.0, (double(a.y) + b.y) / 2.0, 0.0);
}

double Distance(const Vector3& a, const Vector3& b)
{
    // Values within the usable range: the squares cannot overflow.
    const double dx = double(a.x) - b.x;
    const double dy = double(a.y) - b.y;
    return std::sqrt(dx * dx + dy * dy);
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
            spanUsable[i] = SpanGeometryUsable(handles[i], NextInRing(handles, i));
            if (spanUsable[i] && geometry)
                road[i] = SampleRoadSpan(handles, i);
        }
        for (int k = 0; k < objects.GetSize(); ++k) {
            footprints.push_back(FootprintOf(objects[k]));
            if (footprints.back().hasArea && ObjectGeometryUsable(objects[k]))
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

    // Folds within each span: its segments swept along x, every pair of different lines whose
    // boxes meet (not two of the centre line).
    void FoldsWithin(int span)
    {
        struct Segment {
            PlaneBox box;
            int line;
            int step;
        };
        std::array<Segment, 3 * kSteps> segments;
        for (int l = 0; l < 3; ++l) {
            const auto& line = Line(road[span], l);
            for (int k = 0; k < kSteps; ++k)
                segments[l * kSteps + k] = {BoxOf({line[k], line[k + 1]}), l, k};
        }
        std::sort(segments.begin(), segments.end(), [](const Segment& a, const Segment& b) { return a.box.minX < b.box.minX; });
        for (std::size_t i = 0; i < segments.size(); ++i) {
            const Segment& a = segments[i];
            for (std::size_t j = i + 1; j < segments.size() && segments[j].box.minX <= a.box.maxX; ++j) {
                const Segment& b = segments[j];
                if (a.line == b.line || b.box.minY > a.box.maxY || a.box.minY > b.box.maxY)
                    continue;
                FoldOfSegments(span, a.line, a.step, b.line, b.step);
            }
        }
    }

    // Crossings: each line of each span in chunks of kChunk segments, filed by the chunk's box;
    // chunks of spans far enough apart meeting are tried segment by segment.
    static constexpr int kChunk = 10;
    static constexpr int kChunks = kSteps / kChunk;

    static bool SegmentBoxesMeet(const Vector3& a0, const Vector3& a1, const Vector3& b0, const Vector3& b1)
    {
        return std::max(b0.x, b1.x) >= std::min(a0.x, a1.x) && std::max(a0.x, a1.x) >= std::min(b0.x, b1.x) &&
               std::max(b0.y, b1.y) >= std::min(a0.y, a1.y) && std::max(a0.y, a1.y) >= std::min(b0.y, b1.y);
    }

    static PlaneBox ChunkBox(const std::array<Vector3, kSteps + 1>& line, int chunk)
    {
        PlaneBox b{INFINITY, INFINITY, -INFINITY, -INFINITY};
        for (int k = chunk * kChunk; k <= (chunk + 1) * kChunk; ++k) {
            b.minX = std::min<double>(b.minX, line[k].x);
            b.minY = std::min<double>(b.minY, line[k].y);
            b.maxX = std::max<double>(b.maxX, line[k].x);
            b.maxY = std::max<double>(b.maxY, line[k].y);
        }
        return b;
    }

    void ChunksCrossing(int s1, int l1, int c1, int s2, int l2, int c2)
    {
        const auto& a = Line(road[s1], l1);
        const auto& b = Line(road[s2], l2);
        for (int k1 = c1 * kChunk; k1 < (c1 + 1) * kChunk; ++k1) {
            for (int k2 = c2 * kChunk; k2 < (c2 + 1) * kChunk; ++k2) {
                if (SegmentBoxesMeet(a[k1], a[k1 + 1], b[k2], b[k2 + 1]))
                    CrossingOfSegments(s1, l1, k1, s2, l2, k2);
            }
        }
    }

    void LinesMeeting()
    {
        std::vector<PlaneBox> boxes;
        std::vector<int> ids;
        for (int i = 0; i < n; ++i) {
            if (!spanUsable[i])
                continue;
            for (int k = 0; k < kSteps; ++k)
                FoldsOfStep(i, k);
            FoldsWithin(i);
            for (int l = 0; l < 3; ++l) {
                for (int c = 0; c < kChunks; ++c) {
                    boxes.push_back(ChunkBox(Line(road[i], l), c));
                    ids.push_back((i * 3 + l) * kChunks + c);
                }
            }
        }
        ForEachMeetingPair(boxes, [&](int a, int b) {
            const int sa = ids[a] / (3 * kChunks);
            const int sb = ids[b] / (3 * kChunks);
            if (sa == sb || Neighbours(sa, sb))
                return;
            ChunksCrossing(sa, ids[a] / kChunks % 3, ids[a] % kChunks, sb, ids[b] / kChunks % 3, ids[b] % kChunks);
        });
    }

    // Objects against the road surface: the footprints against the boxes of chunks of sample
    // steps, then step by step.
    void ObjectsOnRoad()
    {
        std::vector<PlaneBox> chunks;
        std::vector<int> ids;
        for (int i = 0; i < n; ++i) {
            if (!spanUsable[i])
                continue;
            for (int c = 0; c < kChunks; ++c) {
                const PlaneBox l = ChunkBox(road[i].left, c);
                const PlaneBox r = ChunkBox(road[i].right, c);
                chunks.push_back({std::min(l.minX, r.minX), std::min(l.minY, r.minY), std::max(l.maxX, r.maxX), std::max(l.maxY, r.maxY)});
                ids.push_back(i * kChunks + c);
            }
        }
        const std::vector<PlaneBox> footprintBoxes = FootprintBoxes();
        ForEachMeetingPair(chunks, footprintBoxes, [&](int chunk, int item) {
            const int o = usableObjects[item];
            const int span = ids[chunk] / kChunks;
            const int c = ids[chunk] % kChunks;
            const PlaneBox& f = footprintBoxes[item];
            const RoadSpanSamples& s = road[span];
            for (int k = c * kChunk; k < (c + 1) * kChunk && !overlaps[o]; ++k) {
                const PlaneBox step = BoxOf({s.left[k], s.left[k + 1], s.right[k], s.right[k + 1]});
                if (step.minX <= f.maxX && f.minX <= step.maxX && step.minY <= f.maxY && f.minY <= step.maxY)
                    OverlapOfStep(o, span, k);
            }
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
    return std::fabs(v) > kMaxCourseMagnitude ? ValueProblem::TooLarge : ValueProblem::None;
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
