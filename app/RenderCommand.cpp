#include "app/RenderCommand.h"

#include "app/CommandOption.h"
#include "app/CommandText.h"
#include "app/ConsoleBackend.h"
#include "app/TrackwrightApp.h"
#include "document/TrackwrightDoc.h"
#include "file/CourseFile.h"
#include "file/FileReplace.h"
#include "file/Tokenizer.h"
#include "framework/Backend.h"
#include "framework/HeadlessWndHost.h"
#include "framework/ImageFile.h"
#include "framework/egl/EglContext.h"
#include "framework/Resources.h"
#include "geometry/CourseExtent.h"
#include "view/PreviewCamera.h"
#include "view/PreviewScene.h"
#include "view/TrackwrightView.h"
#include "res/Resource.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include <sys/resource.h>
#include <unistd.h>

namespace {

// One side of "WxH": decimal digits only, 1 to 16384.
bool ParseSide(std::string_view text, int& value)
{
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || text[0] == '-')
        return false;
    if (v < 1 || v > 16384)
        return false;
    value = v;
    return true;
}

bool ParseSize(std::string_view text, int& width, int& height)
{
    const auto x = text.find_first_of("xX");
    if (x == std::string_view::npos)
        return false;
    int w = 0;
    int h = 0;
    if (!ParseSide(text.substr(0, x), w) || !ParseSide(text.substr(x + 1), h))
        return false;
    width = w;
    height = h;
    return true;
}

// What the command line asks for.
struct RenderRequest {
    std::string course;
    std::string out;
    int width = 1280;
    int height = 800;
    int thumbnail = 0;   // the longer side of a thumbnail; 0 draws the editor's frame
    bool preview = false;   // the 3-D preview's Home view, or with drive >= 0 its drive view
    int drive = -1;
    double centreX = 0.0;      // a thumbnail's frame, in course units
    double centreY = 0.0;
    double halfHeight = 1.0;
};

// 0, or the exit status of a command line that asks for nothing sensible (its message on stderr).
int ParseRequest(const std::vector<std::string>& args, RenderRequest& request)
{
    bool sized = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--render" && hasValue) {
            request.course = AfxFullPathName(args[++i]);
        } else if (a == "--out" && hasValue) {
            request.out = args[++i];
        } else if (a == "--size" && hasValue) {
            sized = true;
            if (!ParseSize(args[++i], request.width, request.height)) {
                PrintCommandText(stderr, IDS_CMD_BAD_SIZE, args[i].c_str());
                return 2;
            }
        } else if (a == "--preview") {
            request.preview = true;
        } else if (a == "--drive" && hasValue) {
            int point = 0;
            if (!ParseSide(args[++i], point)) {
                PrintCommandText(stderr, IDS_CMD_BAD_DRIVE, args[i].c_str());
                return 2;
            }
            request.preview = true;
            request.drive = point - 1;
        } else if (a == "--thumbnail" && hasValue) {
            int side = 0;
            if (!ParseSide(args[++i], side) || side > kMaxThumbnailSide) {
                PrintCommandText(stderr, IDS_CMD_BAD_THUMBNAIL, args[i].c_str(), kMaxThumbnailSide);
                return 2;
            }
            request.thumbnail = side;
        } else {
            PrintCommandText(stderr, IDS_CMD_UNEXPECTED_ARGUMENT, a.c_str());
            PrintCommandText(stderr, IDS_CMD_RENDER_USAGE);
            return 2;
        }
    }
    if (request.course.empty() || request.out.empty() || (sized && request.thumbnail > 0) ||
        (request.preview && request.thumbnail > 0)) {
        PrintCommandText(stderr, IDS_CMD_RENDER_USAGE);
        return 2;
    }
    return 0;
}

// The part of the course plane a thumbnail shows: what the course draws with a twentieth free
// on each side, and at least kMinThumbnailSpan course units each way. The drawing's markers
// have sizes in course units (a control point's disc has a radius of 1), so a frame much
// smaller than a real course would blow thousands of them up to fill the picture.
constexpr double kMinThumbnailSpan = 64.0;

// Sets the picture's size (the longer side `side` pixels, the other in the frame's aspect) and
// centre and half height of the frame; false when the course draws nothing of a course unit.
bool ThumbnailFrame(const CourseExtent& e, RenderRequest& request)
{
    const double w = e.maxX - e.minX;
    const double h = e.maxY - e.minY;
    // A truncated file's all-zero handles are all on one point: no course.
    if (e.Empty() || !std::isfinite(w) || !std::isfinite(h) || std::max(w, h) < 1.0)
        return false;
    const double frameW = std::max(w * 1.1, kMinThumbnailSpan);
    const double frameH = std::max(h * 1.1, kMinThumbnailSpan);
    const int side = request.thumbnail;
    const double shorter = std::min(frameW, frameH) / std::max(frameW, frameH) * side;
    const int other = std::clamp(static_cast<int>(std::lround(shorter)), 1, side);
    request.width = frameW >= frameH ? side : other;
    request.height = frameW >= frameH ? other : side;
    request.centreX = 0.5 * (e.minX + e.maxX);
    request.centreY = 0.5 * (e.minY + e.maxY);
    // The height the picture shows, from its own aspect so that both sides fit.
    request.halfHeight = 0.5 * std::max(frameH, frameW * request.height / request.width);
    return true;
}

// Reads the course of a thumbnail into doc and sets the picture's size from it: 0, or 1 with
// a message. Only the course file is read: its map paths name other files, which a thumbnail
// of something just downloaded has no business opening (nor its memory spending on), so it
// shows no map.
int ReadThumbnailCourse(RenderRequest& request, CTrackwrightDoc& doc)
{
    std::string text;
    if (!ReadTextFile(request.course, kMaxThumbnailCourseBytes, text)) {
        PrintCommandText(stderr, IDS_CMD_THUMBNAIL_UNREADABLE, request.course.c_str(),
                         static_cast<int>(kMaxThumbnailCourseBytes >> 20));
        return 1;
    }
    StoredCourse stored = ParseCourseText(text);
    if (stored.handles.GetSize() > kMaxThumbnailRecords || stored.xobjects.GetSize() > kMaxThumbnailRecords) {
        PrintCommandText(stderr, IDS_CMD_THUMBNAIL_TOO_LARGE, request.course.c_str(), kMaxThumbnailRecords);
        return 1;
    }
    stored.heightMap.clear();
    stored.colorMap.clear();
    doc.TakeStoredCourse(std::move(stored), request.course);
    // Without a map its square would be a grey patch under part of the course: the ground is
    // black everywhere instead.
    doc.m_course.m_texLuminance = 0.0f;
    const CourseExtent extent = ExtentOfCourse(doc.m_course.m_handles, doc.m_xobjects, doc.m_xobjectScale);
    if (!ThumbnailFrame(extent, request)) {
        PrintCommandText(stderr, IDS_CMD_NOTHING_TO_DRAW, request.course.c_str());
        return 1;
    }
    return 0;
}

// The 3-D preview's Home view of the document, or its drive view at control point drive (when
// not negative); what it leaves out is said on stderr.
void RenderPreview(const CTrackwrightDoc& doc, int width, int height, int drive)
{
    PreviewScene scene;
    scene.Update(doc);
    if (!scene.Problem().empty())
        PrintCommandText(stderr, IDS_CMD_MESSAGE, scene.Problem().c_str());
    PreviewCamera camera = HomeCamera(scene.Bounds(), double(width) / height);
    if (drive >= 0)
        camera = DriveCamera(camera, scene.Handles(), scene.Heights(), drive);
    scene.Draw(camera, width, height);
    scene.ReleaseGl();
}

}  // namespace

bool IsRenderCommand(const std::vector<std::string>& args)
{
    return HasCommandOption(args, "--render");
}

bool IsThumbnailCommand(const std::vector<std::string>& args)
{
    return IsRenderCommand(args) && HasCommandOption(args, "--thumbnail");
}

bool LimitThumbnailProcess()
{
    // Mesa's shader cache would write under the user's home; a thumbnail writes only its PNG.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
    const struct {
        int resource;
        rlim_t limit;
    } limits[] = {
        {RLIMIT_AS, rlim_t{kThumbnailMemoryMiB} << 20},
        {RLIMIT_CPU, kThumbnailSeconds},
        {RLIMIT_FSIZE, rlim_t{64} << 20},
        {RLIMIT_CORE, 0},
    };
    bool all = true;
    for (const auto& l : limits) {
        rlimit now {};
        if (getrlimit(l.resource, &now) != 0) {
            all = false;
            continue;
        }
        // Only ever lowered: a limit the caller set lower stays.
        now.rlim_cur = std::min(now.rlim_cur, l.limit);
        if (now.rlim_max != RLIM_INFINITY && now.rlim_cur > now.rlim_max)
            now.rlim_cur = now.rlim_max;
        all = setrlimit(l.resource, &now) == 0 && all;
    }
    // Wall-clock time too: a thumbnail that waits on something is ended like one that computes.
    alarm(kThumbnailSeconds);
    return all;
}

int RunRenderCommand(const std::vector<std::string>& args, const std::string& dataDir)
{
    RenderRequest request;
    if (const int bad = ParseRequest(args, request))
        return bad;

    // Whoever runs the command (the program, a test) gets its own back end back afterwards.
    CBackend* const pPrevious = AfxGetBackend();
    ConsoleBackend backend;
    AfxSetBackend(&backend);
    int status = 0;
    {
        EglContext gl;
        CTrackwrightDoc doc;
        if (request.thumbnail > 0)
            status = ReadThumbnailCourse(request, doc);
        if (status == 0 && !gl.Create(request.width, request.height)) {
            PrintCommandText(stderr, IDS_CMD_NO_GL);
            status = 3;
        }
        if (status == 0) {
            HeadlessWndHost host(request.width, request.height);
            // A thumbnail needs neither the catalogue nor the font: no type list, no text.
            CTrackwrightView view(request.thumbnail > 0 ? std::string() : dataDir);
            doc.AddView(&view);
            view.SetHost(&host);
            view.OnCreate();
            view.OnSize(0, request.width, request.height);
            if (request.thumbnail > 0) {
                view.m_bShowTypeList = false;
                view.m_vCamera.x = static_cast<float>(request.centreX);
                view.m_vCamera.y = static_cast<float>(request.centreY);
                const CTrackwrightView::ZoomRange range = view.ZoomLimits();
                view.m_fZoom = std::clamp(static_cast<float>(CTrackwrightView::kViewHalfHeight / request.halfHeight),
                                          range.min, range.max);
            } else if (!doc.OnOpenDocument(request.course)) {
                status = 1;
            } else {
                // As the window's Open does: maps named relative to the course are found beside it.
                doc.SetPathName(request.course, false);
            }
            if (status == 0) {
                if (request.preview)
                    RenderPreview(doc, request.width, request.height, request.drive);
                else
                    view.RenderScene();
                // As Save does: the old file stays whole unless every byte of the new one was written.
                const std::string png = EncodePng(request.width, request.height, gl.ReadRgba());
                if (png.empty() || !ReplaceFileContents(request.out, png)) {
                    PrintCommandText(stderr, IDS_CMD_CANNOT_WRITE, request.out.c_str());
                    status = 1;
                }
            }
            // As a closing window does: the view's GL context goes, and no current-context
            // record is left pointing at the view's device context once the view is gone.
            view.OnDestroy();
            doc.RemoveView(&view);
        }
    }
    AfxSetBackend(pPrevious);
    return status;
}
