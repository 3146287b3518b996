#include "framework/qt/QtMainWindow.h"

#include "framework/AfxRes.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/qt/QtStrings.h"
#include "framework/qt/QtToolIcons.h"
#include "framework/qt/QtViewWidget.h"

#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <string_view>

namespace {

// Remembers whether an update handler spoke about the check mark, so only items that
// have one become checkable.
class QtCmdUI : public CCmdUI {
public:
    using CCmdUI::CCmdUI;
    void SetCheck(int nCheck) override
    {
        CCmdUI::SetCheck(nCheck);
        m_bCheckSet = true;
    }
    bool m_bCheckSet = false;
};

// The string of a command is "status prompt\ntool tip".
QString PromptPart(UINT nID, bool bToolTip)
{
    const std::string_view s = AfxLoadString(nID);
    const std::size_t nl = s.find('\n');
    if (bToolTip)
        return nl == std::string_view::npos ? QString() : ToQString(s.substr(nl + 1));
    return ToQString(s.substr(0, nl));
}

constexpr int kIdleUpdateMs = 250;

}  // namespace

UINT ActionCommandId(const QAction* pAction)
{
    if (!pAction)
        return 0;
    bool ok = false;
    const UINT id = pAction->data().toUInt(&ok);
    return ok ? id : 0;
}

QKeySequence AccelKeySequence(const AccelDef& accel)
{
    if (!accel.key)
        return {};
    const std::string_view name = accel.key;
    int key = 0;
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z')
        key = Qt::Key_A + (name[0] - 'A');
    else if (name.size() == 1 && name[0] >= '0' && name[0] <= '9')
        key = Qt::Key_0 + (name[0] - '0');
    else if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
        int n = 0;
        for (char c : name.substr(1))
            n = c >= '0' && c <= '9' ? n * 10 + (c - '0') : -1000;
        if (n >= 1 && n <= 24)
            key = Qt::Key_F1 + (n - 1);
    } else {
        static const struct {
            std::string_view name;
            int key;
        } named[] = {
            {"Backspace", Qt::Key_Backspace}, {"Delete", Qt::Key_Delete}, {"Insert", Qt::Key_Insert},
            {"Escape", Qt::Key_Escape},       {"Tab", Qt::Key_Tab},       {"Return", Qt::Key_Return},
            {"Enter", Qt::Key_Enter},         {"Space", Qt::Key_Space},   {"Home", Qt::Key_Home},
            {"End", Qt::Key_End},             {"PageUp", Qt::Key_PageUp}, {"PageDown", Qt::Key_PageDown},
            {"Left", Qt::Key_Left},           {"Right", Qt::Key_Right},   {"Up", Qt::Key_Up},
            {"Down", Qt::Key_Down},
        };
        for (const auto& n : named) {
            if (n.name == name)
                key = n.key;
        }
    }
    if (key == 0)
        return {};
    Qt::KeyboardModifiers mods;
    if (accel.ctrl)
        mods |= Qt::ControlModifier;
    if (accel.shift)
        mods |= Qt::ShiftModifier;
    if (accel.alt)
        mods |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(mods, static_cast<Qt::Key>(key)));
}

QtMainWindow::QtMainWindow(CFrameWnd* pFrame, std::function<void()> onClosed)
    : m_pFrame(pFrame), m_onClosed(std::move(onClosed))
{
    m_pFrame->SetHost(this);
    m_pViewWidget = new QtViewWidget(m_pFrame->GetActiveView(), this);
    setCentralWidget(m_pViewWidget);
    m_pIdleTimer = new QTimer(this);
    m_pIdleTimer->setInterval(kIdleUpdateMs);
    connect(m_pIdleTimer, &QTimer::timeout, this, [this] {
        UpdateToolBar();
        UpdateIndicators();
        if (CWinApp* pApp = AfxGetApp())
            pApp->OnIdle();
    });
}

QtMainWindow::~QtMainWindow()
{
    Detach();
}

void QtMainWindow::Detach()
{
    m_pIdleTimer->stop();
    if (m_pViewWidget)
        m_pViewWidget->DestroyView();
    if (m_pFrame && m_pFrame->GetHost() == this)
        m_pFrame->SetHost(nullptr);
    m_pFrame = nullptr;
}

QAction* QtMainWindow::NewCommandAction(const std::string& text, UINT nID, QObject* pParent)
{
    auto* pAction = new QAction(ToQString(text), pParent);
    pAction->setData(nID);
    pAction->setStatusTip(PromptPart(nID, false));
    connect(pAction, &QAction::triggered, this, [this, nID] {
        if (m_pViewWidget)
            m_pViewWidget->SetCursorOnBars(true);
        RunCommand(nID);
        if (m_pViewWidget)
            m_pViewWidget->SetCursorOnBars(false);
    });
    return pAction;
}

void QtMainWindow::BuildMenus(const ResourceSet& res)
{
    std::vector<QMenu*> stack;
    for (const MenuItemDef& item : res.menu) {
        const std::string text = item.text ? item.text : "";
        switch (item.kind) {
        case MenuItemDef::Popup: {
            QMenu* pMenu = stack.empty() ? menuBar()->addMenu(ToQString(text)) : stack.back()->addMenu(ToQString(text));
            connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { UpdateMenu(pMenu); });
            stack.push_back(pMenu);
            break;
        }
        case MenuItemDef::EndPopup:
            if (!stack.empty())
                stack.pop_back();
            break;
        case MenuItemDef::Separator:
            if (!stack.empty())
                stack.back()->addSeparator();
            break;
        case MenuItemDef::Item:
            if (stack.empty())
                break;
            if (item.nID == ID_FILE_MRU_FILE1 && !m_pRecentMarker) {
                m_pRecentMarker = new QAction(stack.back());
                m_pRecentMarker->setVisible(false);
                stack.back()->addAction(m_pRecentMarker);
                m_recentEmptyText = text;
                FillRecentFiles(stack.back());
            } else {
                QAction* pAction = NewCommandAction(text, item.nID, stack.back());
                pAction->setEnabled(!item.grayed);
                stack.back()->addAction(pAction);
            }
            break;
        }
    }
}

void QtMainWindow::FillRecentFiles(QMenu* pMenu)
{
    for (QAction* pAction : m_recentActions) {
        pMenu->removeAction(pAction);
        delete pAction;
    }
    m_recentActions.clear();
    CWinApp* pApp = AfxGetApp();
    const CRecentFileList* pList = pApp ? pApp->GetRecentFileList() : nullptr;
    const int count = pList ? std::min<int>(pList->GetCount(), ID_FILE_MRU_FILE16 - ID_FILE_MRU_FILE1 + 1) : 0;
    if (count == 0) {
        // No recent files: the item itself stays, greyed, and takes no command.
        auto* pAction = new QAction(ToQString(m_recentEmptyText), pMenu);
        pAction->setEnabled(false);
        m_recentActions.push_back(pAction);
    }
    for (int i = 0; i < count; ++i)
        m_recentActions.push_back(NewCommandAction(pList->GetDisplayName(i), ID_FILE_MRU_FILE1 + static_cast<UINT>(i), pMenu));
    for (QAction* pAction : m_recentActions)
        pMenu->insertAction(m_pRecentMarker, pAction);
}

void QtMainWindow::BuildAccelerators(const ResourceSet& res)
{
    for (const AccelDef& accel : res.accelerators) {
        const QKeySequence seq = AccelKeySequence(accel);
        if (seq.isEmpty())
            continue;
        auto* pShortcut = new QShortcut(seq, this);
        const UINT nID = accel.nID;
        connect(pShortcut, &QShortcut::activated, this, [this, nID] { RunCommand(nID); });
    }
}

void QtMainWindow::BuildBars(const ResourceSet& res)
{
    if (m_pFrame && m_pFrame->m_pToolBar) {
        m_pToolBar = new QToolBar(this);
        m_pToolBar->setObjectName("toolBar");
        m_pToolBar->setIconSize(QSize(16, 16));
        for (UINT nID : res.toolBar) {
            if (nID == ID_SEPARATOR) {
                m_pToolBar->addSeparator();
                continue;
            }
            QAction* pAction = NewCommandAction(std::string(), nID, m_pToolBar);
            const QString tip = PromptPart(nID, true);
            pAction->setText(tip);
            pAction->setToolTip(tip);
            pAction->setIcon(ToolBarIcon(nID, style()));
            m_pToolBar->addAction(pAction);
        }
        addToolBar(Qt::TopToolBarArea, m_pToolBar);
        UpdateToolBar();
    }
    m_pIdleTimer->start();
    if (m_pFrame && m_pFrame->m_pStatusBar) {
        QStatusBar* pBar = statusBar();
        for (UINT nID : m_pFrame->m_pStatusBar->m_indicators) {
            if (nID == ID_SEPARATOR) {
                // The message pane: idle text, replaced by the prompts of hovered items.
                auto* pLabel = new QLabel(ToQString(AfxLoadString(AFX_IDS_IDLEMESSAGE)), pBar);
                pLabel->setObjectName("messagePane");
                pBar->addWidget(pLabel, 1);
                continue;
            }
            // A state that cannot be read (the input method's kana mode; any lock key
            // outside X11) is left out rather than shown forever off.
            if (!m_lockKeys.Knows(nID))
                continue;
            auto* pLabel = new QLabel(ToQString(AfxLoadString(nID)), pBar);
            pLabel->setObjectName(QString("indicator%1").arg(nID));
            pLabel->setFrameShape(QFrame::Panel);
            pLabel->setFrameShadow(QFrame::Sunken);
            pLabel->setAlignment(Qt::AlignCenter);
            pLabel->setEnabled(false);
            pBar->addPermanentWidget(pLabel);
            m_indicators.emplace_back(nID, pLabel);
        }
        UpdateIndicators();
    }
}

void QtMainWindow::UpdateIndicators()
{
    if (m_indicators.empty())
        return;
    m_lockKeys.Refresh();
    for (const auto& [nID, pLabel] : m_indicators)
        pLabel->setEnabled(m_lockKeys.IsOn(nID).value_or(false));
}

void QtMainWindow::RunCommand(UINT nID)
{
    if (!m_pFrame)
        return;
    // A command that became disabled since its item was shown is not run.
    QtCmdUI ui(nID);
    m_pFrame->UpdateCmdUI(ui);
    if (!ui.m_bEnabled)
        return;
    m_pFrame->OnCmdMsg(nID, CN_COMMAND, nullptr);
    UpdateToolBar();
}

void QtMainWindow::UpdateAction(QAction* pAction)
{
    const UINT nID = ActionCommandId(pAction);
    if (!m_pFrame || nID == 0)
        return;
    QtCmdUI ui(nID);
    m_pFrame->UpdateCmdUI(ui);
    pAction->setEnabled(ui.m_bEnabled);
    if (ui.m_bTextSet)
        pAction->setText(ToQString(ui.m_strText));
    if (ui.m_bCheckSet)
        pAction->setCheckable(true);
    if (pAction->isCheckable())
        pAction->setChecked(ui.m_nCheck != 0);
}

void QtMainWindow::UpdateMenu(QMenu* pMenu)
{
    if (m_pRecentMarker && pMenu->actions().contains(m_pRecentMarker))
        FillRecentFiles(pMenu);
    for (QAction* pAction : pMenu->actions()) {
        if (!pAction->isSeparator() && !pAction->menu())
            UpdateAction(pAction);
    }
}

void QtMainWindow::UpdateToolBar()
{
    if (!m_pToolBar || !m_pFrame)
        return;
    for (QAction* pAction : m_pToolBar->actions())
        UpdateAction(pAction);
}

void QtMainWindow::Invalidate(BOOL)
{
    update();
}

void QtMainWindow::RedrawNow()
{
    repaint();
}

CRect QtMainWindow::GetClientRect() const
{
    return CRect(0, 0, width(), height());
}

CPoint QtMainWindow::GetCursorClientPos() const
{
    const QPoint p = mapFromGlobal(QCursor::pos());
    return CPoint(p.x(), p.y());
}

void QtMainWindow::SetWindowText(const std::string& text)
{
    // "[*]" in a title is Qt's modified marker; a file name may contain it literally.
    setWindowTitle(FileNameToQString(text).replace("[*]", "[[*]]"));
}

void QtMainWindow::closeEvent(QCloseEvent* e)
{
    if (m_pFrame && !m_pFrame->OnClose()) {
        e->ignore();
        return;
    }
    e->accept();
    m_bClosed = true;
    if (m_onClosed)
        m_onClosed();
}

void QtMainWindow::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && m_pFrame)
        m_pFrame->OnQueryNewPalette();
    QMainWindow::changeEvent(e);
}
