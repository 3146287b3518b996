#include "framework/CWinApp.h"

#include "framework/AfxRes.h"
#include "framework/Backend.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/Resources.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {
CWinApp* s_pApp = nullptr;

// Two names of one file: compared by the file they lead to, then by text.
bool SamePath(const std::string& a, const std::string& b)
{
    std::error_code ec1, ec2;
    if (std::filesystem::equivalent(a, b, ec1) && !ec1)
        return true;
    return a == b;
}

}  // namespace

std::string AfxFullPathName(std::string name)
{
    if (name.empty() || name[0] == '/')
        return name;
    while (name.size() > 2 && name.compare(0, 2, "./") == 0)
        name.erase(0, 2);
    std::error_code ec;
    const std::filesystem::path cwd = std::filesystem::current_path(ec);
    return ec ? name : (cwd / name).string();
}

CWinApp* AfxGetApp()
{
    return s_pApp;
}

std::string AfxGetModuleFileName()
{
    std::string buf(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0)
        return {};
    buf.resize(static_cast<std::size_t>(n));
    return buf;
}

CWinApp::CWinApp(const char* pszAppName)
{
    if (pszAppName)
        m_pszAppName = pszAppName;
    s_pApp = this;
}

CWinApp::~CWinApp()
{
    m_pDocTemplate.reset();
    if (s_pApp == this)
        s_pApp = nullptr;
}

int CWinApp::ExitInstance()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
    return 0;
}

int CWinApp::Run()
{
    CBackend* pBackend = AfxGetBackend();
    const int code = pBackend ? pBackend->Run() : 0;
    const int exitCode = ExitInstance();
    return code != 0 ? code : exitCode;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& cmdInfo) const
{
    for (std::size_t i = 1; i < m_args.size(); ++i) {
        const std::string& arg = m_args[i];
        if (arg == "--help" || arg == "-h") {
            cmdInfo.m_bShowHelp = true;
        } else if (arg == "--version") {
            cmdInfo.m_bShowVersion = true;
        } else if (arg == "--") {
            if (i + 1 < m_args.size()) {
                cmdInfo.m_strFileName = AfxFullPathName(m_args[i + 1]);
                cmdInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
            }
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            cmdInfo.m_strError = arg;
        } else if (cmdInfo.m_strFileName.empty()) {
            cmdInfo.m_strFileName = AfxFullPathName(arg);
            cmdInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
        }
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& cmdInfo)
{
    if (!m_pDocTemplate)
        return FALSE;
    switch (cmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        return m_pDocTemplate->OpenDocumentFile(std::string()) != nullptr;
    case CCommandLineInfo::FileOpen:
        return m_pDocTemplate->OpenDocumentFile(cmdInfo.m_strFileName) != nullptr;
    default:
        return TRUE;
    }
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU == 0)
        return;
    m_pRecentFileList = std::make_unique<CRecentFileList>("Recent File List", "File%d", static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::AddToRecentFileList(const std::string& pathName)
{
    if (!m_pRecentFileList)
        return;
    std::error_code ec;
    const auto abs = std::filesystem::absolute(pathName, ec);
    m_pRecentFileList->Add(ec ? pathName : abs.lexically_normal().string());
    m_pRecentFileList->WriteList();
}

CDocument* CWinApp::OpenDocumentFile(const std::string& pathName)
{
    if (!m_pDocTemplate)
        return nullptr;
    if (CDocument* pDoc = m_pDocTemplate->GetDocument()) {
        if (!pDoc->GetPathName().empty() && SamePath(pDoc->GetPathName(), pathName)) {
            // Already open: keep it, edits included, and bring its window forward.
            AddToRecentFileList(pDoc->GetPathName());
            if (CBackend* pBackend = AfxGetBackend(); pBackend && m_pMainWnd)
                pBackend->ShowFrameWindow(m_pMainWnd, SW_SHOW);
            return pDoc;
        }
    }
    return m_pDocTemplate->OpenDocumentFile(pathName);
}

void CWinApp::OnFileNew()
{
    if (m_pDocTemplate)
        m_pDocTemplate->OpenDocumentFile(std::string());
}

void CWinApp::OnFileOpen()
{
    CBackend* pBackend = AfxGetBackend();
    std::string path;
    if (pBackend && pBackend->PromptFileName(path, true, std::string(AfxLoadString(AFX_IDS_OPENFILE))))
        OpenDocumentFile(path);
}

void CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return;
    const int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetCount())
        return;
    const std::string path = (*m_pRecentFileList)[index];
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        // The failure message comes from the document; the dead entry leaves the list.
        if (!OpenDocumentFile(path)) {
            m_pRecentFileList->Remove(index);
            m_pRecentFileList->WriteList();
        }
        return;
    }
    OpenDocumentFile(path);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd && m_pMainWnd->OnClose()) {
        if (CBackend* pBackend = AfxGetBackend())
            pBackend->DestroyFrameWindow(m_pMainWnd);
    }
}

void CWinApp::OnFilePrintSetup()
{
    if (CBackend* pBackend = AfxGetBackend())
        pBackend->PrintView(nullptr, true);
}

bool CWinApp::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CmdMapEntry<CWinApp> map[] = {
        {ID_FILE_NEW, ID_FILE_NEW, &CWinApp::OnFileNew, nullptr},
        {ID_FILE_OPEN, ID_FILE_OPEN, &CWinApp::OnFileOpen, nullptr},
        {ID_FILE_PRINT_SETUP, ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup, nullptr},
        {ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, nullptr, nullptr, &CWinApp::OnOpenRecentFile},
        {ID_APP_EXIT, ID_APP_EXIT, &CWinApp::OnAppExit, nullptr},
    };
    return DispatchCmdMsg(this, map, nID, nCode, pCmdUI);
}
