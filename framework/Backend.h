#pragma once

#include "framework/Afx.h"

#include <string>
#include <vector>

class CFrameWnd;
class CDialog;
class CListPanel;
class CView;

// The services of the window system that the framework itself needs. One back end is
// installed per process: Qt for the program, a recording one for the tests.
class CBackend {
public:
    virtual ~CBackend() = default;

    // Builds the real main window around the frame and its view (menus, bars, the GL
    // surface), gives each a host and runs their creation handlers. False when it fails.
    virtual bool CreateFrameWindow(CFrameWnd* pFrame) = 0;
    virtual void ShowFrameWindow(CFrameWnd* pFrame, int nCmdShow) = 0;
    virtual void DestroyFrameWindow(CFrameWnd* pFrame) = 0;
    // Runs the message loop until the main window is gone; returns the exit code.
    virtual int Run() = 0;

    virtual int MessageBox(const std::string& text, const std::string& caption, UINT nType) = 0;
    // A file dialog; true with the chosen path, false when cancelled.
    virtual bool PromptFileName(std::string& path, bool bOpen, const std::string& title) = 0;
    // A save dialog that lists the files filter names ("Text (*.ext)"); without a back end's own,
    // the plain one.
    virtual bool PromptSaveFileName(std::string& path, const std::string& title, const std::string& filter)
    {
        return PromptFileName(path, false, title);
    }
    virtual int DoModal(CDialog* pDlg) = 0;
    // A modeless panel's window: made and given to the panel as its host (false when the back
    // end has none), and taken down again with the panel.
    virtual bool CreateListPanel(CListPanel* pPanel) { return false; }
    virtual void DestroyListPanel(CListPanel* pPanel) {}

    // A second view of a document in a top-level window of its own with a GL surface: gives
    // the view its host, runs its creation handlers and shows it, at the size and place kept in
    // the profile under placeKey (section/entry). Closing the window (the user, or
    // DestroyViewWindow) keeps the place and runs the view's OnDestroy. False when there is none.
    virtual bool CreateViewWindow(CView* pView, const std::string& title, const std::string& placeKey) { return false; }
    virtual void DestroyViewWindow(CView* pView) {}
    // Brings that window to the front.
    virtual void ActivateViewWindow(CView* pView) {}

    // The profile: one string per entry of a section.
    virtual std::string GetProfileString(const std::string& section, const std::string& entry) = 0;
    virtual void WriteProfileString(const std::string& section, const std::string& entry,
                                    const std::string& value) = 0;
    // Puts the entries written so far into the profile's store, once after a batch of writes.
    virtual void FlushProfile() {}

    // Makes a GL context current that shares objects with the view's, for GL work outside
    // a paint (texture loads on Open and from dialogs). True when one is current.
    virtual bool MakeGLCurrent() = 0;

    // The system clipboard's text (UTF-8). Whether it holds text is asked without fetching it,
    // so that keeping the Paste command up to date never waits on another program.
    virtual bool ClipboardHasText() { return false; }
    virtual std::string GetClipboardText() { return {}; }
    virtual void SetClipboardText(const std::string& text) {}
    // A message in the status bar, replacing the idle text until the next one.
    virtual void SetStatusText(const std::string& text) {}

    virtual void PrintView(CView* pView, bool bSetupOnly) {}
    virtual void ToggleToolBar(CFrameWnd* pFrame) {}
    virtual bool IsToolBarVisible(CFrameWnd* pFrame) { return true; }
};

void AfxSetBackend(CBackend* pBackend);
CBackend* AfxGetBackend();

// A message box of the application, captioned with its title unless a caption is given.
int AfxMessageBox(const std::string& text, UINT nType = MB_OK, const std::string& caption = {});
bool AfxClipboardHasText();
std::string AfxGetClipboardText();
void AfxSetClipboardText(const std::string& text);
// Shows text in the main window's status bar; nothing happens without a back end.
void AfxSetStatusText(const std::string& text);
// Makes a GL context current for work outside a paint; nothing happens without a back end.
bool AfxMakeGLCurrent();
