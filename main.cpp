// The program's entry: the render, export and check commands, the informational options, or the editor.
#include "app/CheckCommand.h"
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

// Said the same, option for option, by the manual page (res/trackwright.1.in); the package
// check compares them.
const char* const kUsage =
    "usage: trackwright [--] [COURSE]\n"
    "       trackwright --render COURSE --out FILE.png [--preview [--drive N]] [--size WxH | --thumbnail SIZE]\n"
    "       trackwright --export COURSE --out FILE.glb [--height-scale S]\n"
    "       trackwright --check COURSE\n"
    "       trackwright --help | --version\n"
    "\n"
    "Opens the course file COURSE, or the default course, in the editor.\n"
    "\n"
    "  --render COURSE   draw the picture the editor shows for COURSE into a PNG, with no display\n"
    "  --out FILE.png    the PNG to write; it is replaced whole or left as it was\n"
    "  --preview         draw the 3-D preview's Home view of COURSE instead\n"
    "  --drive N         draw the 3-D preview's drive view at control point N (1 is the first) instead\n"
    "  --size WxH        the picture's width and height in pixels, 1 to 16384 each (default 1280x800)\n"
    "  --thumbnail SIZE  draw only the course and its objects, framed tight in their aspect, the longer side SIZE\n"
    "                    pixels (1 to 2048), reading nothing but COURSE (at most 16 MiB), within 1 GiB of memory\n"
    "                    and 10 seconds\n"
    "  --export COURSE   write COURSE as a binary glTF file (road, borders, terrain and objects), with no display\n"
    "  --out FILE.glb    the glTF file to write; it is replaced whole or left as it was\n"
    "  --height-scale S  course units per grey level of the height map, 0 to 1000 (default 0.1)\n"
    "  --check COURSE    print what would break when COURSE is driven (folds, crossings, objects on the road,\n"
    "                    unusable values), one line per finding as COURSE:handle N: KIND: text, then a summary\n"
    "  -h, --help        print this text and exit\n"
    "  --version         print the version and exit\n"
    "\n"
    "Exit status: 0 done; 1 COURSE could not be read or drawn, or FILE.png not written; 2 a bad command\n"
    "line; 3 no OpenGL for --render. --export: 0 written; 1 anything else, with the reason.\n"
    "--check: 0 no finding; 1 findings; 2 COURSE cannot be read.\n";

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
    if (IsExportCommand(args))
        return RunExportCommand(args);
    if (IsCheckCommand(args))
        return RunCheckCommand(args);
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
