#include "framework/CDocTemplate.h"

#include "framework/AfxRes.h"
#include "framework/Backend.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/Resources.h"

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, std::function<CDocument*()> newDocument,
                                       std::function<CFrameWnd*()> newFrame,
                                       std::function<CView*()> newView)
    : m_nIDResource(nIDResource),
      m_newDocument(std::move(newDocument)),
      m_newFrame(std::move(newFrame)),
      m_newView(std::move(newView))
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    CloseAll();
}

std::string CSingleDocTemplate::GetDocString(int index) const
{
    const std::string_view all = AfxLoadString(m_nIDResource);
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = all.find('\n', start);
        if (start == std::string_view::npos)
            return {};
        ++start;
    }
    const std::size_t end = all.find('\n', start);
    return std::string(all.substr(start, end == std::string_view::npos ? all.npos : end - start));
}

std::string CSingleDocTemplate::GetUntitledName() const
{
    const std::string name = GetDocString(1);
    return name.empty() ? std::string(AfxLoadString(AFX_IDS_UNTITLED)) : name;
}

bool CSingleDocTemplate::CreateFrame()
{
    m_pFrame.reset(m_newFrame());
    m_pView.reset(m_newView());
    m_pOnlyDoc->AddView(m_pView.get());
    m_pFrame->SetActiveView(m_pView.get());
    CBackend* pBackend = AfxGetBackend();
    if (!m_pFrame->PreCreateWindow() || !pBackend || !pBackend->CreateFrameWindow(m_pFrame.get())) {
        m_pOnlyDoc->RemoveView(m_pView.get());
        m_pView.reset();
        m_pFrame.reset();
        return false;
    }
    if (CWinApp* pApp = AfxGetApp(); pApp && !pApp->m_pMainWnd)
        pApp->m_pMainWnd = m_pFrame.get();
    return true;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const std::string& pathName, BOOL bMakeVisible)
{
    bool bCreated = false;
    if (!m_pOnlyDoc) {
        m_pOnlyDoc.reset(m_newDocument());
        m_pOnlyDoc->m_pDocTemplate = this;
        if (!CreateFrame()) {
            m_pOnlyDoc.reset();
            return nullptr;
        }
        bCreated = true;
    } else if (!m_pOnlyDoc->SaveModified()) {
        return nullptr;
    }

    CDocument* pDoc = m_pOnlyDoc.get();
    if (pathName.empty()) {
        if (!pDoc->OnNewDocument())
            return bCreated ? (CloseAll(), nullptr) : nullptr;
        pDoc->ClearPathName();
    } else {
        if (!pDoc->OnOpenDocument(pathName))
            return bCreated ? (CloseAll(), nullptr) : nullptr;
        pDoc->SetPathName(pathName);
    }
    pDoc->SetModifiedFlag(false);

    if (!m_bInitialUpdateDone) {
        m_bInitialUpdateDone = true;
        if (bMakeVisible)
            AfxGetBackend()->ShowFrameWindow(m_pFrame.get(), SW_SHOW);
        m_pView->OnInitialUpdate();
    } else {
        pDoc->UpdateAllViews(nullptr);
    }
    m_pFrame->OnUpdateFrameTitle();
    if (CWinApp* pApp = AfxGetApp())
        pApp->OnDocumentOpened(pDoc);
    return pDoc;
}

void CSingleDocTemplate::CloseAll()
{
    CWinApp* pApp = AfxGetApp();
    if (m_pFrame) {
        if (CBackend* pBackend = AfxGetBackend())
            pBackend->DestroyFrameWindow(m_pFrame.get());
        if (pApp && pApp->m_pMainWnd == m_pFrame.get())
            pApp->m_pMainWnd = nullptr;
    }
    if (m_pOnlyDoc) {
        m_pOnlyDoc->DeleteContents();
        if (m_pView)
            m_pOnlyDoc->RemoveView(m_pView.get());
    }
    m_pView.reset();
    m_pFrame.reset();
    m_pOnlyDoc.reset();
    m_bInitialUpdateDone = false;
}
