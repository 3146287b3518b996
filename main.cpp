// The program's entry: the render and export commands, the informational options, or the editor.
#include "app/ExportCommand.h"
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
    "       trackwright --render COURSE --out FILE.png [--preview [--drive N]] [--size WxH]\n"
    "       trackwright --export COURSE --out FILE.glb [--height-scale S]\n"
    "       trackwright --help | --version\n"
    "\n"
    "Opens the course file COURSE, or the default course, in the editor.\n"
    "--render draws the picture the editor shows for COURSE into a PNG, with no display;\n"
    "with --preview, the 3-D preview's Home view of it; with --drive N, its drive view at\n"
    "control point N (1 is the first).\n"
    "--export writes COURSE as a binary glTF file: road, borders, terrain and objects, with\n"
    "heights from its height map at S course units per grey level (default 0.1), no display.\n";

}  // namespace

int main(int argc, char** argv)
{
    // A write past the file-size limit (ulimit -f) then fails with EFBIG and takes the
    // write-failure path instead of killing the editor with its edits.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv, argv + argc);
    CCommandLineInfo info;
    theApp.SetCommandLine(args);
    theApp.ComputeAppDir();
    if (IsRenderCommand(args))
        return RunRenderCommand(args, theApp.m_appDir);
    if (IsExportCommand(args))
        return RunExportCommand(args);
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
