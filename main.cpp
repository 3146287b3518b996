// The program's entry: the render command, the informational options, or the editor.
#include "app/RenderCommand.h"
#include "app/TrackwrightApp.h"
#include "framework/qt/QtApp.h"
#include "view/TrackwrightView.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

CTrackwrightApp theApp;

namespace {

const char* const kUsage =
    "usage: trackwright [COURSE]\n"
    "       trackwright --render COURSE --out FILE.png [--size WxH]\n"
    "       trackwright --help | --version\n"
    "\n"
    "Opens the course file COURSE, or the default course, in the editor.\n"
    "--render draws the picture the editor shows for COURSE into a PNG, with no display.\n";

}  // namespace

int main(int argc, char** argv)
{
    // A write past the file-size limit (ulimit -f) then fails with EFBIG and takes the
    // write-failure path instead of killing the editor with its edits.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv, argv + argc);
    // Before anything is read or drawn: a thumbnail runs on whatever file a user has.
    if (IsThumbnailCommand(args) && !LimitThumbnailProcess()) {
        std::fputs("trackwright: the thumbnail's limits could not be set\n", stderr);
        return 1;
    }
    CCommandLineInfo info;
    theApp.SetCommandLine(args);
    theApp.ComputeAppDir();
    if (IsRenderCommand(args))
        return RunRenderCommand(args, theApp.m_appDir);
    theApp.ParseCommandLine(info);
    if (info.m_bShowHelp) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (info.m_bShowVersion) {
        std::puts("Trackwright 1.0.0.1");
        return 0;
    }
    if (!info.m_strError.empty()) {
        std::fprintf(stderr, "trackwright: unknown option \"%s\"\n%s", info.m_strError.c_str(), kUsage);
        return 2;
    }
    return RunQtApplication(theApp, CTrackwrightView::s_pfd, argc, argv);
}
