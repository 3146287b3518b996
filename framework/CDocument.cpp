#include "framework/CDocument.h"

#include "framework/AfxRes.h"
#include "framework/Backend.h"
#include "framework/CDocTemplate.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/Resources.h"

#include <algorithm>
#include <filesystem>

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    ClearPathName();
    SetModifiedFlag(false);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const std::string&)
{
    return FALSE;
}

BOOL CDocument::OnSaveDocument(const std::string&)
{
    return FALSE;
}

void CDocument::SetPathName(const std::string& pathName, bool bAddToMRU)
{
    m_strPathName = pathName;
    const auto slash = pathName.find_last_of('/');
    SetTitle(slash == std::string::npos ? pathName : pathName.substr(slash + 1));
    if (bAddToMRU) {
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(pathName);
    }
}

void CDocument::ClearPathName()
{
    m_strPathName.clear();
    SetTitle(m_pDocTemplate ? m_pDocTemplate->GetUntitledName() : std::string(AfxLoadString(AFX_IDS_UNTITLED)));
}

void CDocument::SetTitle(const std::string& title)
{
    m_strTitle = title;
    UpdateFrameTitle();
}

void CDocument::SetModifiedFlag(bool bModified)
{
    if (m_bModified == bModified)
        return;
    m_bModified = bModified;
    UpdateFrameTitle();
}

void CDocument::UpdateFrameTitle()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd && pApp->m_pMainWnd->GetActiveDocument() == this)
        pApp->m_pMainWnd->OnUpdateFrameTitle();
}

void CDocument::AddView(CView* pView)
{
    m_views.push_back(pView);
    pView->SetDocument(this);
}

void CDocument::RemoveView(CView* pView)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
    pView->SetDocument(nullptr);
}

void CDocument::UpdateAllViews(CView* pSender, long lHint, void* pHint)
{
    for (CView* pView : m_views) {
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

bool CDocument::SaveModified()
{
    if (!IsModified())
        return true;
    const std::string name = m_strTitle.empty() ? std::string(AfxLoadString(AFX_IDS_UNTITLED)) : m_strTitle;
    switch (AfxMessageBox(AfxFormatString(AFX_IDP_ASK_TO_SAVE, name.c_str()), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return false;
    case IDYES:
        return DoFileSave();
    default:
        return true;
    }
}

bool CDocument::DoFileSave()
{
    // A path whose folder is gone (a course restored after its folder moved) cannot be
    // written: ask where, as for an untitled document.
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(m_strPathName, ec).parent_path();
    if (!m_strPathName.empty() && !std::filesystem::is_directory(folder, ec))
        return DoSave(std::string());
    return DoSave(m_strPathName);
}

bool CDocument::DoSave(const std::string& pathName, bool bReplace)
{
    std::string path = pathName;
    if (path.empty()) {
        CBackend* pBackend = AfxGetBackend();
        path = m_strTitle;
        if (!pBackend || !pBackend->PromptFileName(path, false, std::string(AfxLoadString(AFX_IDS_SAVEFILE))))
            return false;
    }
    if (!OnSaveDocument(path))
        return false;
    SetModifiedFlag(false);
    if (bReplace)
        SetPathName(path);
    return true;
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(std::string());
}

bool CDocument::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CmdMapEntry<CDocument> map[] = {
        {ID_FILE_SAVE, ID_FILE_SAVE, &CDocument::OnFileSave, nullptr},
        {ID_FILE_SAVE_AS, ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs, nullptr},
    };
    return DispatchCmdMsg(this, map, nID, nCode, pCmdUI);
}
