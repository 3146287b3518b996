#pragma once

#include "framework/Afx.h"

#include <functional>
#include <memory>
#include <string>

class CDocument;
class CFrameWnd;
class CView;

// The single-document template: one document, one frame and one view for the whole run.
class CSingleDocTemplate {
public:
    CSingleDocTemplate(UINT nIDResource, std::function<CDocument*()> newDocument,
                       std::function<CFrameWnd*()> newFrame, std::function<CView*()> newView);
    ~CSingleDocTemplate();

    // New with an empty path, Open otherwise; null when it failed. The first call creates
    // the document, the frame and the view.
    CDocument* OpenDocumentFile(const std::string& pathName, BOOL bMakeVisible = TRUE);
    CDocument* GetDocument() const { return m_pOnlyDoc.get(); }
    CFrameWnd* GetFrame() const { return m_pFrame.get(); }
    // Destroys the window, the view and the document.
    void CloseAll();

    // Field n of the template string (0 the window title, 2 the new-file name, ...).
    std::string GetDocString(int index) const;
    std::string GetUntitledName() const;

private:
    bool CreateFrame();

    UINT m_nIDResource;
    std::function<CDocument*()> m_newDocument;
    std::function<CFrameWnd*()> m_newFrame;
    std::function<CView*()> m_newView;
    std::unique_ptr<CDocument> m_pOnlyDoc;
    std::unique_ptr<CView> m_pView;
    std::unique_ptr<CFrameWnd> m_pFrame;
    bool m_bInitialUpdateDone = false;
};
