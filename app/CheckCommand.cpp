#include "app/CheckCommand.h"

#include "app/CommandOption.h"
#include "app/CommandText.h"
#include "document/CourseCheckText.h"
#include "document/TrackwrightDoc.h"
#include "file/CourseFile.h"
#include "file/Tokenizer.h"
#include "framework/Resources.h"
#include "geometry/CourseCheck.h"
#include "res/Resource.h"

#include <cstdio>

bool IsCheckCommand(const std::vector<std::string>& args)
{
    return HasCommandOption(args, "--check");
}

int RunCheckCommand(const std::vector<std::string>& args)
{
    if (args.size() != 3 || args[1] != "--check") {
        PrintCommandText(stderr, IDS_CMD_CHECK_USAGE);
        return 2;
    }
    const std::string& course = args[2];
    // The window's reader: the same size limit, the same refusal of folders, pipes and devices.
    std::string text;
    if (!ReadTextFile(course, kMaxCourseFileBytes, text)) {
        PrintCommandText(stderr, IDS_CMD_MESSAGE, CourseReadFailedMessage(course).c_str());
        return 2;
    }
    const StoredCourse stored = ParseCourseText(text);
    text.clear();
    text.shrink_to_fit();
    const CourseCheckResult result = CheckCourse(stored.handles, stored.xobjects);
    std::string out;
    for (const CourseFinding& f : result.findings) {
        out += course;
        out += f.part == FindingPart::Handle ? ":handle " : ":object ";
        out += std::to_string(f.index);
        out += ": ";
        out += FindingKeyword(f.kind);
        out += ": ";
        out += FindingText(f, stored.xobjects);
        out += '\n';
    }
    out += course + ": " + CourseCheckSummary(result) + '\n';
    if (!result.geometryChecked)
        PrintCommandText(stderr, IDS_CMD_MESSAGE, std::string(AfxLoadString(IDS_CHECK_TOO_LARGE)).c_str());
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    return result.findings.empty() ? 0 : 1;
}
