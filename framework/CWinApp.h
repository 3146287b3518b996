#pragma once

#include "framework/CCmdTarget.h"
#include "framework/CDocTemplate.h"
#include "framework/CRecentFileList.h"

#include <memory>
#include <string>
#include <vector>

class CFrameWnd;
class CDocument;

// The command line as the framework understands it: an optional file to open.
struct CCommandLineInfo {
    enum { FileNew, FileOpen } m_nShellCommand = FileNew;
    std::string m_strFileName;
    bool m_bShowHelp = false;
    bool m_bShowVersion = false;
    std::string m_strError;   // an option the program does not know
};

// The application object: start-up, the document template, the File commands and the profile.
class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* pszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    // Called by the back end a few times a second while the program runs.
    virtual void OnIdle() {}
    // Called by the document template once New or Open has put a document in place and shown it.
    virtual void OnDocumentOpened(CDocument* pDoc) {}
    // Runs the message loop of the back end, then ExitInstance.
    int Run();

    void SetCommandLine(std::vector<std::string> args) { m_args = std::move(args); }
    void ParseCommandLine(CCommandLineInfo& cmdInfo) const;
    BOOL ProcessShellCommand(CCommandLineInfo& cmdInfo);

    void SetRegistryKey(const std::string& key) { m_pszRegistryKey = key; }
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void AddDocTemplate(CSingleDocTemplate* pTemplate) { m_pDocTemplate.reset(pTemplate); }
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }

    // Open of a path; the path already open only brings the window forward.
    CDocument* OpenDocumentFile(const std::string& pathName);
    void AddToRecentFileList(const std::string& pathName);
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }

    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecentFile(UINT nID);
    void OnAppExit();
    void OnFilePrintSetup();
    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    std::string m_pszAppName;
    std::string m_pszRegistryKey;
    CFrameWnd* m_pMainWnd = nullptr;

protected:
    std::vector<std::string> m_args;

private:
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
};

CWinApp* AfxGetApp();
// A file named on the command line, made absolute against the working folder so that
// messages and the recent-file list carry the full path. Only the text changes: links are
// not followed, and a name that does not exist yet stays as valid as it was.
std::string AfxFullPathName(std::string name);
// The full path of the running program, from the system, not from the working directory.
std::string AfxGetModuleFileName();
