#pragma once

#include "framework/CCmdTarget.h"

#include <string>
#include <vector>

class CView;
class CSingleDocTemplate;

// The document of the document/view model: path, title, modified flag and views.
class CDocument : public CCmdTarget {
public:
    ~CDocument() override = default;

    // Base steps: New empties the document and clears the path.
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const std::string& pathName);
    virtual BOOL OnSaveDocument(const std::string& pathName);
    virtual void DeleteContents() {}
    // Asks whether to save a modified document: false when the user cancelled or the save failed.
    virtual bool SaveModified();

    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& pathName, bool bAddToMRU = true);
    void ClearPathName();
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool bModified = true);

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // Hint 0 makes every view invalidate its whole client area.
    void UpdateAllViews(CView* pSender, long lHint = 0, void* pHint = nullptr);

    // Save: to the document's path, or through the file dialog when it has none or its
    // folder does not exist.
    bool DoFileSave();
    // Save As when pathName is empty; true when the document was written.
    bool DoSave(const std::string& pathName, bool bReplace = true);
    void OnFileSave();
    void OnFileSaveAs();

    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    CSingleDocTemplate* m_pDocTemplate = nullptr;

private:
    void UpdateFrameTitle();

    std::string m_strPathName;
    std::string m_strTitle;
    bool m_bModified = false;
    std::vector<CView*> m_views;
};
