#include "app/TrackwrightApp.h"

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "document/TrackwrightDoc.h"
#include "edit/CourseEditor.h"
#include "res/Resource.h"
#include "res/TrackwrightResources.h"
#include "view/TrackwrightView.h"

namespace {

const CmdMapEntry<CTrackwrightApp> s_messageMap[] = {
    {ID_APP_ABOUT, ID_APP_ABOUT, &CTrackwrightApp::OnAppAbout, nullptr},
    {ID_VIEW_CHECK, ID_VIEW_CHECK, &CTrackwrightApp::OnViewCheck, &CTrackwrightApp::OnUpdateAlwaysEnabled},
    {ID_HELP_USAGE, ID_HELP_POINT_DELETE, nullptr, &CTrackwrightApp::OnUpdateAlwaysEnabled},
    {ID_HELP_XOBJECT_ADD, ID_HELP_XOBJECT_DELETE, nullptr, &CTrackwrightApp::OnUpdateAlwaysEnabled},
    {ID_HELP_SELECT, ID_HELP_VALUES, nullptr, &CTrackwrightApp::OnUpdateAlwaysEnabled},
    {ID_HELP_XOBJECT_MOVE, ID_HELP_FILE_KEYS, nullptr, &CTrackwrightApp::OnUpdateAlwaysEnabled},
    {ID_HELP_CHECK, ID_HELP_CHECK, nullptr, &CTrackwrightApp::OnUpdateAlwaysEnabled},
    {ID_HELP_PREVIEW, ID_HELP_PREVIEW, nullptr, &CTrackwrightApp::OnUpdateAlwaysEnabled},
};

}  // namespace

std::string DirectoryOf(const std::string& programPath)
{
    const auto slash = programPath.find_last_of('/');
    if (slash == std::string::npos)
        return std::string();
    return programPath.substr(0, slash + 1);
}

CTrackwrightApp::CTrackwrightApp()
{
    AfxSetResources(&TrackwrightResources());
    m_pszAppName = std::string(AfxLoadString(AFX_IDS_APP_TITLE));
}

void CTrackwrightApp::ComputeAppDir()
{
    m_appDir = DirectoryOf(AfxGetModuleFileName());
}

BOOL CTrackwrightApp::InitInstance()
{
    ComputeAppDir();
    m_recovery = std::make_unique<RecoveryFile>(DefaultRecoveryFolder());
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(9);
    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, [] { return new CTrackwrightDoc; }, [] { return new CMainFrame; },
        [this] {
            auto* pView = new CTrackwrightView(m_appDir);
            pView->SetEditInput(std::make_unique<CourseEditor>(*pView));
            return pView;
        }));

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (ProcessShellCommand(cmdInfo))
        return TRUE;
    // A course that can no longer be opened (moved, deleted) may have left unsaved changes in
    // a recovery copy: the default course comes up and the copies are offered.
    if (cmdInfo.m_nShellCommand != CCommandLineInfo::FileOpen || m_bStarted || m_recovery->FindOrphans().empty())
        return FALSE;
    cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
    return ProcessShellCommand(cmdInfo);
}

bool CTrackwrightApp::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    return DispatchCmdMsg(this, s_messageMap, nID, nCode, pCmdUI) || CWinApp::OnCmdMsg(nID, nCode, pCmdUI);
}

void CTrackwrightApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

void CTrackwrightApp::OnViewCheck()
{
    CSingleDocTemplate* pTemplate = GetDocTemplate();
    auto* pDoc = pTemplate ? static_cast<CTrackwrightDoc*>(pTemplate->GetDocument()) : nullptr;
    CFrameWnd* pFrame = pTemplate ? pTemplate->GetFrame() : nullptr;
    auto* pView = pFrame ? static_cast<CTrackwrightView*>(pFrame->GetActiveView()) : nullptr;
    if (!pDoc || !pView)
        return;
    if (!m_pCheckPanel)
        m_pCheckPanel = std::make_unique<CCourseCheckPanel>(*pDoc, *pView);
    m_pCheckPanel->Open();
}

void CTrackwrightApp::OnUpdateAlwaysEnabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}
