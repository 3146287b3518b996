#pragma once

// The main window built around the frame: menus, accelerators, tool bar and status bar from
// the resource tables, the view's GL surface in the middle. Every command goes through the
// frame's command route; update handlers decide what is enabled and checked.
#include "framework/CFrameWnd.h"
#include "framework/CWnd.h"
#include "framework/Resources.h"
#include "framework/qt/QtLockKeys.h"

#include <QMainWindow>

#include <functional>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class QtViewWidget;

class QtMainWindow : public QMainWindow, public CWndHost {
public:
    // onClosed runs when the user closed the window and the frame agreed.
    QtMainWindow(CFrameWnd* pFrame, std::function<void()> onClosed);
    ~QtMainWindow() override;

    CFrameWnd* Frame() const { return m_pFrame; }
    QtViewWidget* ViewWidget() const { return m_pViewWidget; }
    QToolBar* ToolBar() const { return m_pToolBar; }

    // Menus and accelerators from the resources, then the bars the frame's creation asked for.
    void BuildMenus(const ResourceSet& res);
    void BuildAccelerators(const ResourceSet& res);
    void BuildBars(const ResourceSet& res);

    // Runs a command through the frame, then brings the tool bar up to date.
    void RunCommand(UINT nID);
    // The update handlers of the tool bar buttons.
    void UpdateToolBar();
    // The view is destroyed and the frame forgotten; the window only closes from now on.
    void Detach();
    // The user closed the window: the program ends.
    bool Closed() const { return m_bClosed; }

    // CWndHost
    void Invalidate(BOOL bErase) override;
    void RedrawNow() override;
    CRect GetClientRect() const override;
    void SetCapture() override {}
    void ReleaseCapture() override {}
    bool HasCapture() const override { return false; }
    CPoint GetCursorClientPos() const override;
    void SetWindowText(const std::string& text) override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    QAction* NewCommandAction(const std::string& text, UINT nID, QObject* pParent);
    void UpdateMenu(QMenu* pMenu);
    void UpdateAction(QAction* pAction);
    void FillRecentFiles(QMenu* pMenu);
    void UpdateIndicators();

    CFrameWnd* m_pFrame;
    std::function<void()> m_onClosed;
    bool m_bClosed = false;
    QtViewWidget* m_pViewWidget = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QTimer* m_pIdleTimer = nullptr;
    // Where the recent files go: the placeholder item of the File menu.
    QAction* m_pRecentMarker = nullptr;
    std::string m_recentEmptyText;
    std::vector<QAction*> m_recentActions;
    // The status bar's lock indicators that can be known, lit while their key is locked.
    QtLockKeys m_lockKeys;
    std::vector<std::pair<UINT, QLabel*>> m_indicators;
};

// The command id an action carries, 0 for none.
UINT ActionCommandId(const QAction* pAction);
// Qt's key sequence for an accelerator entry; an empty one for an unknown key name.
QKeySequence AccelKeySequence(const AccelDef& accel);
