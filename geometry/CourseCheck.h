#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"
#include "geometry/ValueLimits.h"
#include "geometry/Vector3.h"

#include <vector>

// What would break when the course is driven: the rules run on the vertices the view draws.
enum class FindingKind : int {
    Value = 0,      // a stored value the game cannot use
    Fold = 1,       // the road turns inside out within a span
    Crossing = 2,   // the track meets a span that is not its own or a neighbour
    Overlap = 3,    // an object's footprint meets the road surface
};

// Which list the finding's index points into.
enum class FindingPart : int {
    Handle = 0,     // also the span from that handle to the next
    Object = 1,
};

// Which stored value a value finding is about.
enum class ValueField : int {
    None = 0,
    Pos = 1,
    TanNext = 2,
    TanPrev = 3,
    WidthRight = 4,
    WidthLeft = 5,
    Direction = 6,
    Width = 7,
    Height = 8,
    Span = 9,       // the span to the next handle
};

enum class ValueProblem : int {
    None = 0,
    NotFinite = 1,
    TooLarge = 2,       // magnitude beyond kMaxCourseMagnitude
    NegativeWidth = 3,
    ZeroLength = 4,     // the span's two ends lie on one point
};

// Which border a fold involves (bits).
constexpr int kFoldLeft = 1;
constexpr int kFoldRight = 2;

struct CourseFinding {
    FindingKind kind = FindingKind::Value;
    FindingPart part = FindingPart::Handle;
    int index = 0;          // from 0 in list order
    int other = -1;         // crossing: the handle of the other span
    int sides = 0;          // fold: kFoldLeft | kFoldRight
    ValueField field = ValueField::None;
    ValueProblem problem = ValueProblem::None;
    Vector3 where;          // the place to show: a crossing point, a fold's first step, the part itself

    bool operator==(const CourseFinding&) const = default;
};

struct CourseFigures {
    double centreLength = 0.0;
    double leftLength = 0.0;
    double rightLength = 0.0;
    double smallestRadius = 0.0;    // 0 when no three drawn centre points make a circle
    int smallestRadiusHandle = -1;  // the span holding the circle's middle point
    Vector3 smallestRadiusAt;
    int handleCount = 0;
    int objectCount = 0;
};

struct CourseCheckResult {
    std::vector<CourseFinding> findings;   // by part, index, kind, then the rest
    CourseFigures figures;
    bool geometryChecked = true;           // false: too large, only the value rule ran
};

// The largest course (control points plus objects) the rules beyond the value rule run on: they
// keep about 2 KB per control point while they work (a 10-million-point course, which the reader
// takes, would need 20 GB). Larger ones get the value rule and the figures.
constexpr int kLargestGeometryCheck = 1'000'000;

// The whole check. Never changes the course; any values are checked without crash or hang, and
// spans and objects with unusable values (not finite, too large) take part only in the value rule.
CourseCheckResult CheckCourse(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects);

// The value rule alone (what Open reports), in the same order.
std::vector<CourseFinding> CheckCourseValues(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects);

// The order CheckCourse gives its findings in.
bool FindingBefore(const CourseFinding& a, const CourseFinding& b);
