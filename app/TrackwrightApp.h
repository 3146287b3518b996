#pragma once

#include "app/CourseCheckPanel.h"
#include "document/RecoveryFile.h"
#include "framework/CWinApp.h"

#include <memory>
#include <string>

class CTrackwrightDoc;

// The application object: finds its own folder, registers the one document template and
// opens the course named on the command line, or the default course.
class CTrackwrightApp : public CWinApp {
public:
    CTrackwrightApp();

    BOOL InitInstance() override;
    int ExitInstance() override;
    void OnIdle() override;
    void OnDocumentOpened(CDocument* pDoc) override;   // CourseRecovery.cpp
    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    // Sets m_appDir from the running program's own path.
    void ComputeAppDir();
    void OnAppAbout();
    // 表示 → コースの検査: opens the check panel, which then follows the course while open.
    void OnViewCheck();
    void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);

    // Asks whether to restore an orphan (sameCourse: it belongs to the course doc shows);
    // true when it was restored into doc (CourseRecovery.cpp).
    bool OfferOrphan(CTrackwrightDoc& doc, const FoundRecovery& orphan, bool sameCourse);

    // Writes the recovery copy when due (now: seconds of a steady clock), or removes it once
    // the course is saved (CourseRecovery.cpp).
    void TickRecovery(double now);

    // Folder of the program file, with the trailing separator.
    std::string m_appDir;
    // This editor's recovery copy, in the user's state folder from start-up on.
    std::unique_ptr<RecoveryFile> m_recovery;
    RecoveryClock m_recoveryClock;
    bool m_bStarted = false;   // the first document is in place
    bool m_bRecoveryFailed = false;   // the status bar says the last write failed
    // The course check's panel once opened; goes before the window and the document.
    std::unique_ptr<CCourseCheckPanel> m_pCheckPanel;
    double m_nextCheckFollow = 0.0;   // steady-clock seconds before which the panel is not checked again
};

// The directory part of a program path, ending with '/': "/opt/tw/bin/tw" gives "/opt/tw/bin/".
std::string DirectoryOf(const std::string& programPath);
