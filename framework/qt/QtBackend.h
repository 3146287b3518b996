#pragma once

// The window system of the program: Qt Widgets with an OpenGL view.
#include "framework/Backend.h"
#include "framework/Wgl.h"

#include <QObject>
#include <QSurfaceFormat>

#include <QPointer>

#include <map>
#include <memory>
#include <vector>

class QOffscreenSurface;
class QPrinter;
class QSettings;
class QTranslator;
class QWidget;
class QtListPanel;
class QtMainWindow;
class QtViewWindow;

class QtBackend : public CBackend {
public:
    QtBackend();   // installs itself; needs the QApplication
    ~QtBackend() override;
    QtBackend(const QtBackend&) = delete;
    QtBackend& operator=(const QtBackend&) = delete;

    bool CreateFrameWindow(CFrameWnd* pFrame) override;
    void ShowFrameWindow(CFrameWnd* pFrame, int nCmdShow) override;
    void DestroyFrameWindow(CFrameWnd* pFrame) override;
    int Run() override;

    int MessageBox(const std::string& text, const std::string& caption, UINT nType) override;
    bool PromptFileName(std::string& path, bool bOpen, const std::string& title) override;
    bool PromptSaveFileName(std::string& path, const std::string& title, const std::string& filter) override;
    int DoModal(CDialog* pDlg) override;
    bool CreateListPanel(CListPanel* pPanel) override;
    void DestroyListPanel(CListPanel* pPanel) override;

    bool CreateViewWindow(CView* pView, const std::string& title, const std::string& placeKey) override;
    void DestroyViewWindow(CView* pView) override;
    void ActivateViewWindow(CView* pView) override;

    std::string GetProfileString(const std::string& section, const std::string& entry) override;
    void WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) override;
    void FlushProfile() override;

    bool MakeGLCurrent() override;

    // Before the window exists (a course opened from the command line) the text waits for it.
    void SetStatusText(const std::string& text) override;

    void PrintView(CView* pView, bool bSetupOnly) override;
    bool ClipboardHasText() override;
    std::string GetClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    void ToggleToolBar(CFrameWnd* pFrame) override;
    bool IsToolBarVisible(CFrameWnd* pFrame) override;

    // The main window while it exists, for the program's end and for tests.
    QtMainWindow* MainWindow() const { return m_pWindow.get(); }

private:
    QWidget* DialogParent() const;
    // Ends the message loop if it runs; before it runs, Run sees the window gone.
    void Quit();
    QSettings& Settings();
    std::string m_pendingStatus;

    std::unique_ptr<QtMainWindow> m_pWindow;
    // The modeless panels' windows; Qt deletes one itself when its parent window goes first.
    std::map<CListPanel*, QPointer<QtListPanel>> m_panels;
    // The second views' windows; each deletes itself when it closes.
    std::vector<QPointer<QtViewWindow>> m_viewWindows;
    QtViewWindow* ViewWindow(CView* pView) const;
    std::unique_ptr<QOffscreenSurface> m_pOffscreen;
    std::unique_ptr<QSettings> m_pSettings;
    std::unique_ptr<QPrinter> m_pPrinter;
    bool m_bRunning = false;
    // Whether the clipboard holds text, asked once per change: the Paste item's update runs at
    // every idle pass, and on X11 each question is a round trip to the clipboard's owner.
    int m_clipboardHasText = -1;   // -1: not known since the last change
    QMetaObject::Connection m_clipboardChanged;
    // Qt's own texts (file and print dialogs, standard buttons) in Japanese, like the rest.
    std::unique_ptr<QTranslator> m_pQtTranslator;
};

// The surface format Qt is asked for, from the pixel format the view requests: a
// compatibility profile (the view draws in immediate mode), its colour and depth bits
// (32-bit depth is not offered by common drivers; 24 is the closest) and buffering.
QSurfaceFormat SurfaceFormatFor(const PIXELFORMATDESCRIPTOR& pfd);
// What has to happen before the QApplication exists: the default surface format and
// contexts shared with the global share context, so GL objects made outside the view work.
// viewRequest is the pixel format the program's view asks of its window.
void PrepareQtApplication(const PIXELFORMATDESCRIPTOR& viewRequest);
