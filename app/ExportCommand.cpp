#include "app/ExportCommand.h"

#include "app/CommandOption.h"
#include "app/CommandText.h"
#include "app/ConsoleBackend.h"
#include "document/CourseExport.h"
#include "document/TrackwrightDoc.h"
#include "framework/CWinApp.h"
#include "framework/Resources.h"
#include "geometry/TerrainHeights.h"
#include "res/Resource.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

// The whole text a decimal number (in any locale), within the scales the export takes.
bool ParseHeightScale(std::string_view text, double& scale)
{
    double v = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !IsHeightScale(v))
        return false;
    scale = v;
    return true;
}

}  // namespace

bool IsExportCommand(const std::vector<std::string>& args)
{
    return HasCommandOption(args, "--export");
}

int RunExportCommand(const std::vector<std::string>& args)
{
    std::string course;
    std::string out;
    double scale = kDefaultHeightScale;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--export" && hasValue) {
            course = AfxFullPathName(args[++i]);
        } else if (a == "--out" && hasValue) {
            out = args[++i];
        } else if (a == "--height-scale" && hasValue) {
            if (!ParseHeightScale(args[++i], scale)) {
                PrintCommandText(stderr, IDS_CMD_BAD_HEIGHT_SCALE, args[i].c_str(), kMaxHeightScale);
                return 1;
            }
        } else {
            PrintCommandText(stderr, IDS_CMD_UNEXPECTED_ARGUMENT, a.c_str());
            PrintCommandText(stderr, IDS_CMD_EXPORT_USAGE);
            return 1;
        }
    }
    if (course.empty() || out.empty()) {
        PrintCommandText(stderr, IDS_CMD_EXPORT_USAGE);
        return 1;
    }

    // Whoever runs the command (the program, a test) gets its own back end back afterwards.
    CBackend* const pPrevious = AfxGetBackend();
    ConsoleBackend backend;
    AfxSetBackend(&backend);
    int status = 1;
    {
        CTrackwrightDoc doc;
        if (doc.OnOpenDocument(course)) {
            // As Open does: relative map paths are also looked for beside the course.
            doc.SetPathName(course, false);
            if (ExportCourse(doc, out, scale))
                status = 0;
        }
    }
    AfxSetBackend(pPrevious);
    return status;
}
