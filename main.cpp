// The program's entry: the render, export and check commands, the informational options, or the editor.
#include "app/CheckCommand.h"
#include "app/CommandText.h"
#include "app/ExportCommand.h"
#include "app/RenderCommand.h"
#include "app/TrackwrightApp.h"
#include "framework/Resources.h"
#include "framework/qt/QtApp.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

CTrackwrightApp theApp;

int main(int argc, char** argv)
{
    // A write past the file-size limit (ulimit -f) then fails with EFBIG and takes the
    // write-failure path instead of killing the editor with its edits.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv, argv + argc);
    // Before anything is read or drawn: a thumbnail runs on whatever file a user has.
    if (IsThumbnailCommand(args) && !LimitThumbnailProcess()) {
        PrintCommandText(stderr, IDS_CMD_LIMITS_NOT_SET);
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
        PrintCommandText(stdout, IDS_CMD_USAGE);
        return 0;
    }
    if (info.m_bShowVersion) {
        PrintCommandText(stdout, IDS_CMD_VERSION);
        return 0;
    }
    if (!info.m_strError.empty()) {
        PrintCommandText(stderr, IDS_CMD_UNKNOWN_OPTION, info.m_strError.c_str());
        PrintCommandText(stderr, IDS_CMD_USAGE);
        return 2;
    }
    return RunQtApplication(theApp, CTrackwrightView::s_pfd, argc, argv);
}
