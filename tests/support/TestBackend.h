#pragma once

// A back end that records what the program asks of the window system, so handlers run headless.
#include "framework/Backend.h"
#include "framework/CDialog.h"
#include "framework/CFrameWnd.h"
#include "framework/CListPanel.h"
#include "framework/CView.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class TestWndHost : public CWndHost {
public:
    void Invalidate(BOOL bErase) override { ++invalidations; }
    void RedrawNow() override { ++redraws; }
    CRect GetClientRect() const override { return client; }
    void SetCapture() override { capture = true; }
    // As the system does, tells the view (if set) when it held the capture.
    void ReleaseCapture() override
    {
        if (std::exchange(capture, false) && view)
            view->OnCaptureChanged(nullptr);
    }
    bool HasCapture() const override { return capture; }
    CPoint GetCursorClientPos() const override { return cursor; }
    void SetWindowText(const std::string& text) override { title = text; }
    UINT GetModifierFlags() const override { return modifiers; }
    bool MakeCurrent() override { return true; }
    void SwapBuffers() override {}
    bool KeepsFrame() const override { return keepsFrame; }
    // A window made anew has no pixel format yet.
    void Recreate() { m_iPixelFormat = 0; }

    CRect client{0, 0, 800, 600};
    CPoint cursor;
    bool capture = false;
    CView* view = nullptr;
    int invalidations = 0, redraws = 0;
    bool keepsFrame = false;   // a test that draws into the framebuffer itself cannot promise it
    std::string title;
    UINT modifiers = 0;    // MK_SHIFT, MK_CONTROL held
};

class TestDialogHost : public CDialogHost {
public:
    std::string GetItemText(UINT nID) const override { return items.contains(nID) ? items.at(nID) : ""; }
    void SetItemText(UINT nID, const std::string& text) override { items[nID] = text; }
    void FocusItem(UINT nID) override { focused = nID; }
    void SetItemChoices(UINT nID, const std::vector<std::string>& list) override { choices[nID] = list; }
    void EndDialog(int nResult) override { result = nResult; }

    std::map<UINT, std::string> items;
    std::map<UINT, std::vector<std::string>> choices;
    UINT focused = 0;
    int result = 0;   // 0 while the dialog is open
};

// A modeless panel's window: keeps what the panel shows; a test chooses rows through the panel.
class TestListPanelHost : public CListPanelHost {
public:
    void SetCaption(const std::string& value) override { caption = value; }
    void SetColumns(const std::vector<std::string>& headings) override { columns = headings; }
    void SetText(const std::string& value) override { text = value; }
    void SetRows(const std::vector<std::vector<std::string>>& value) override { rows = value; }
    void Show() override { visible = true; }
    bool IsVisible() const override { return visible; }

    std::string caption;
    std::vector<std::string> columns;
    std::string text;
    std::vector<std::vector<std::string>> rows;
    bool visible = false;
};

struct RecordedMessage {
    std::string text, caption;
    UINT type;
};

class TestBackend : public CBackend {
public:
    TestBackend() { AfxSetBackend(this); }
    ~TestBackend() override
    {
        if (AfxGetBackend() == this)
            AfxSetBackend(nullptr);
    }

    bool CreateFrameWindow(CFrameWnd* pFrame) override
    {
        destroyed = false;
        viewHost.Recreate();
        pFrame->SetHost(&frameHost);
        CView* pView = pFrame->GetActiveView();   // every frame here shows the one view
        pView->SetHost(&viewHost);
        if (pFrame->OnCreate() == -1 || pView->OnCreate() == -1)
            return false;
        pView->OnSize(0, viewHost.client.right, viewHost.client.bottom);
        return true;
    }
    void ShowFrameWindow(CFrameWnd* pFrame, int nCmdShow) override {}
    void DestroyFrameWindow(CFrameWnd* pFrame) override
    {
        if (!std::exchange(destroyed, true))
            pFrame->GetActiveView()->OnDestroy();
    }
    int Run() override { return 0; }
    int MessageBox(const std::string& text, const std::string& caption, UINT nType) override
    {
        messages.push_back({text, caption, nType});
        const int answer = messageAnswers.empty() ? IDOK : messageAnswers.front();
        if (!messageAnswers.empty())
            messageAnswers.pop_front();
        return answer;
    }
    bool PromptFileName(std::string& path, bool bOpen, const std::string& title) override
    {
        if (fileAnswers.empty())
            return false;
        path = fileAnswers.front();
        fileAnswers.pop_front();
        return true;
    }
    int DoModal(CDialog* pDlg) override
    {
        lastDialog = TestDialogHost();
        pDlg->SetDialogHost(&lastDialog);
        pDlg->OnInitDialog();
        dialogScript ? dialogScript(*pDlg, lastDialog) : pDlg->OnOK();
        pDlg->SetDialogHost(nullptr);
        return lastDialog.result == 0 ? IDCANCEL : lastDialog.result;
    }
    std::string GetProfileString(const std::string& section, const std::string& entry) override
    {
        const auto it = profile.find(section + "/" + entry);
        return it == profile.end() ? "" : it->second;
    }
    void WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) override
    {
        profile[section + "/" + entry] = value;
    }
    bool MakeGLCurrent() override { return false; }
    bool CreateListPanel(CListPanel* pPanel) override
    {
        pPanel->SetHost(&panelHost);
        return true;
    }
    void DestroyListPanel(CListPanel* pPanel) override { pPanel->SetHost(nullptr); }
    void PrintView(CView* pView, bool bSetupOnly) override {}
    bool ClipboardHasText() override { return !clipboard.empty(); }
    std::string GetClipboardText() override { return clipboard; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    void SetStatusText(const std::string& text) override { statusText = text; }

    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const RecordedMessage& m : messages)
            texts.push_back(m.text);
        return texts;
    }

    TestWndHost frameHost;
    TestWndHost viewHost;
    std::vector<RecordedMessage> messages;
    std::deque<int> messageAnswers;          // answers to the next message boxes; IDOK when empty
    std::deque<std::string> fileAnswers;     // paths for the next file dialogs; cancel when empty
    // Plays the user's part in a modal dialog; presses OK by default.
    std::function<void(CDialog&, TestDialogHost&)> dialogScript;
    std::map<std::string, std::string> profile;   // "section/entry" -> value
    bool destroyed = false;
    std::string clipboard;
    std::string statusText;
    TestDialogHost lastDialog;
    TestListPanelHost panelHost;
};
