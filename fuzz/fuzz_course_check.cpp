// The course check on whatever a course file reads as: it never crashes or hangs, counts what
// it was given, points only into the lists, gives its findings in its own order, and its value
// findings are exactly what the value rule alone gives (what Open reports).
#include "FuzzCheck.h"
#include "FuzzCourse.h"

#include "geometry/CourseCheck.h"

#include <algorithm>
#include <vector>

namespace {

// Its own target, apart from the reader's: the check costs far more per input than reading,
// and a few small records already reach all of its rules.
constexpr std::size_t kLargestInput = 4096;
constexpr int kMostRecords = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > kLargestInput)
        return 0;
    const StoredCourse doc = ReadFuzzCourse(std::string(reinterpret_cast<const char*>(data), size));
    const int handles = doc.handles.GetSize();
    const int objects = doc.xobjects.GetSize();
    if (handles > kMostRecords || objects > kMostRecords)
        return 0;

    const CourseCheckResult checked = CheckCourse(doc.handles, doc.xobjects);
    FUZZ_CHECK(checked.figures.handleCount == handles && checked.figures.objectCount == objects);
    FUZZ_CHECK(std::is_sorted(checked.findings.begin(), checked.findings.end(), FindingBefore));
    std::vector<CourseFinding> values;
    for (const CourseFinding& f : checked.findings) {
        const int count = f.part == FindingPart::Handle ? handles : objects;
        FUZZ_CHECK(f.index >= 0 && f.index < count && f.other >= -1 && f.other < handles);
        if (f.kind == FindingKind::Value)
            values.push_back(f);
    }
    FUZZ_CHECK(values == CheckCourseValues(doc.handles, doc.xobjects));
    return 0;
}
