#pragma once

#include "framework/CWinApp.h"

#include <string>

// The application object: finds its own folder, registers the one document template and
// opens the course named on the command line, or the default course.
class CTrackwrightApp : public CWinApp {
public:
    CTrackwrightApp();

    BOOL InitInstance() override;
    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    // Sets m_appDir from the running program's own path.
    void ComputeAppDir();
    void OnAppAbout();
    void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);

    // Folder of the program file, with the trailing separator.
    std::string m_appDir;
};

// The directory part of a program path, ending with '/': "/opt/tw/bin/tw" gives "/opt/tw/bin/".
std::string DirectoryOf(const std::string& programPath);
