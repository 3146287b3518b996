#include "app/RenderCommand.h"

#include "app/ConsoleBackend.h"
#include "app/TrackwrightApp.h"
#include "doc/TrackwrightDoc.h"
#include "file/FileReplace.h"
#include "framework/Backend.h"
#include "framework/HeadlessWndHost.h"
#include "framework/ImageFile.h"
#include "framework/egl/EglContext.h"
#include "view/PreviewCamera.h"
#include "view/PreviewScene.h"
#include "view/TrackwrightView.h"

#include <charconv>
#include <cstdio>
#include <string_view>

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

// The 3-D preview's Home view of the document, or its drive view at control point drive (when
// not negative); what it leaves out is said on stderr.
void RenderPreview(const CTrackwrightDoc& doc, int width, int height, int drive)
{
    PreviewScene scene;
    scene.Update(doc);
    if (!scene.Problem().empty())
        std::fprintf(stderr, "trackwright: %s\n", scene.Problem().c_str());
    PreviewCamera camera = HomeCamera(scene.Bounds(), double(width) / height);
    if (drive >= 0)
        camera = DriveCamera(camera, scene.Handles(), scene.Heights(), drive);
    scene.Draw(camera, width, height);
    scene.ReleaseGl();
}

}  // namespace

bool IsRenderCommand(const std::vector<std::string>& args)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--render")
            return true;
    }
    return false;
}

int RunRenderCommand(const std::vector<std::string>& args, const std::string& dataDir)
{
    std::string course;
    std::string out;
    int width = 1280;
    int height = 800;
    bool preview = false;
    int drive = -1;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--render" && hasValue) {
            course = AfxFullPathName(args[++i]);
        } else if (a == "--out" && hasValue) {
            out = args[++i];
        } else if (a == "--preview") {
            preview = true;
        } else if (a == "--drive" && hasValue) {
            int point = 0;
            if (!ParseSide(args[++i], point)) {
                std::fprintf(stderr, "trackwright: bad control point \"%s\" (expected 1 to 16384)\n", args[i].c_str());
                return 2;
            }
            preview = true;
            drive = point - 1;
        } else if (a == "--size" && hasValue) {
            if (!ParseSize(args[++i], width, height)) {
                std::fprintf(stderr, "trackwright: bad size \"%s\" (expected WxH, 1 to 16384 each)\n", args[i].c_str());
                return 2;
            }
        } else {
            std::fprintf(stderr, "trackwright: unexpected argument \"%s\"\n"
                                 "usage: trackwright --render COURSE --out FILE.png [--preview [--drive N]] [--size WxH]\n", a.c_str());
            return 2;
        }
    }
    if (course.empty() || out.empty()) {
        std::fprintf(stderr, "usage: trackwright --render COURSE --out FILE.png [--preview [--drive N]] [--size WxH]\n");
        return 2;
    }

    // Whoever runs the command (the program, a test) gets its own back end back afterwards.
    CBackend* const pPrevious = AfxGetBackend();
    ConsoleBackend backend;
    AfxSetBackend(&backend);
    EglContext gl;
    if (!gl.Create(width, height)) {
        std::fprintf(stderr, "trackwright: no OpenGL context could be created for rendering\n");
        AfxSetBackend(pPrevious);
        return 3;
    }
    int status = 0;
    {
        HeadlessWndHost host(width, height);
        CTrackwrightDoc doc;
        CTrackwrightView view(dataDir);
        doc.AddView(&view);
        view.SetHost(&host);
        view.OnCreate();
        view.OnSize(0, width, height);
        if (!doc.OnOpenDocument(course)) {
            status = 1;
        } else {
            // As the window's Open does: maps named relative to the course are found beside it.
            doc.SetPathName(course, false);
            if (preview)
                RenderPreview(doc, width, height, drive);
            else
                view.RenderScene();
            // As Save does: the old file stays whole unless every byte of the new one was written.
            const std::string png = EncodePng(width, height, gl.ReadRgba());
            if (png.empty() || !ReplaceFileContents(out, png)) {
                std::fprintf(stderr, "trackwright: cannot write \"%s\"\n", out.c_str());
                status = 1;
            }
        }
        // As a closing window does: the view's GL context goes, and no current-context
        // record is left pointing at the view's device context once the view is gone.
        view.OnDestroy();
        doc.RemoveView(&view);
    }
    AfxSetBackend(pPrevious);
    return status;
}
