// The real window driven like a user would: menus, accelerators, mouse, capture, the
// profile, GL objects made before the window shows, and a dialog from a template.
#include "framework/AfxRes.h"
#include "framework/CDialog.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/Resources.h"
#include "framework/Wgl.h"
#include "framework/qt/QtBackend.h"
#include "framework/qt/QtDialog.h"
#include "framework/qt/QtMainWindow.h"
#include "framework/qt/QtViewWidget.h"
#include "res/Resource.h"
#include "res/TrackwrightResources.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr UINT ID_MAP_A = ID_VIEW_HEIGHTMAP;   // update handler: enabled and checked by the document
constexpr UINT ID_MAP_B = ID_VIEW_COLORMAP;   // a document command with an accelerator (F6)
constexpr UINT IDD_TEST = 230;
constexpr UINT IDC_PATH = IDC_HEIGHTMAP;
constexpr UINT IDC_VALUE = IDC_COLORMAP;

const MenuItemDef kMenu[] = {
    {MenuItemDef::Popup, 0, "ファイル(&F)"},
    {MenuItemDef::Item, ID_FILE_NEW, "新規作成(&N)\tCtrl+N"},
    {MenuItemDef::Separator, 0, nullptr},
    {MenuItemDef::Item, ID_FILE_MRU_FILE1, "最新のファイル", true},
    {MenuItemDef::Separator, 0, nullptr},
    {MenuItemDef::Item, ID_APP_EXIT, "終了(&X)"},
    {MenuItemDef::EndPopup, 0, nullptr},
    {MenuItemDef::Popup, 0, "表示(&V)"},
    {MenuItemDef::Item, ID_MAP_A, "ハイトマップ表示(&H)"},
    {MenuItemDef::Item, ID_MAP_B, "カラーマップ表示(&C)"},
    {MenuItemDef::Item, ID_VIEW_TOOLBAR, "ツールバー(&T)"},
    {MenuItemDef::EndPopup, 0, nullptr},
};
const AccelDef kAccels[] = {
    {"N", true, false, false, ID_FILE_NEW},
    {"Delete", false, true, false, ID_EDIT_CUT},
    {"F6", false, false, false, ID_MAP_B},
};
const UINT kToolBar[] = {ID_FILE_NEW, ID_SEPARATOR, ID_EDIT_CUT};
const StringDef kStrings[] = {
    {128, "Trackwright\n\nCourse\n\n\nTrackwright.Document\nCourse Document"},
    {AFX_IDS_APP_TITLE, "Trackwright"},
    {AFX_IDS_IDLEMESSAGE, "ﾚﾃﾞｨ"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_KANA, "ｶﾅ"},
    {ID_FILE_NEW, "新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ"},
};
const DialogControlDef kControls[] = {
    {DialogControlDef::Static, 0, "パス(&H):", 5, 5, 46, 8},
    {DialogControlDef::Edit, IDC_PATH, "", 10, 15, 275, 14},
    {DialogControlDef::Static, 0, "明るさ(&L):", 5, 40, 28, 8},
    {DialogControlDef::Edit, IDC_VALUE, "", 10, 50, 40, 14},
    {DialogControlDef::DefPushButton, static_cast<UINT>(IDOK), "OK", 180, 50, 50, 14},
    {DialogControlDef::PushButton, static_cast<UINT>(IDCANCEL), "ｷｬﾝｾﾙ", 235, 50, 50, 14},
};
const DialogDef kDialogs[] = {{IDD_TEST, "設定ダイアログ", 295, 70, "ＭＳ Ｐゴシック", 9, kControls}};
const ResourceSet kResources{kMenu, kAccels, kToolBar, kStrings, kDialogs};

// Waits for a condition while Qt delivers its events.
bool WaitFor(const std::function<bool()>& done, int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QTest::qWait(10);
    }
    return true;
}

// Runs the script once a modal widget of type T is up (the caller then blocks in it).
template <class T>
void WhenModal(std::function<void(T*)> script)
{
    QTimer::singleShot(10, [script] {
        if (auto* w = dynamic_cast<T*>(QApplication::activeModalWidget()))
            script(w);
        else
            WhenModal<T>(script);
    });
}

class TestDoc : public CDocument {
public:
    BOOL OnNewDocument() override
    {
        CDocument::OnNewDocument();
        ++newCount;
        if (texture == 0) {
            // Made before the window was ever shown, as a map loaded from the command line is.
            madeCurrent = AfxMakeGLCurrent();
            glGenTextures(1, &texture);
            glBindTexture(GL_TEXTURE_2D, texture);
            const unsigned char pixel[4] = {255, 255, 255, 255};
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        }
        return TRUE;
    }
    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override
    {
        static const CmdMapEntry<TestDoc> map[] = {
            {ID_MAP_A, ID_MAP_A, &TestDoc::OnMapA, &TestDoc::OnUpdateMapA},
            {ID_MAP_B, ID_MAP_B, &TestDoc::OnMapB, &TestDoc::OnUpdateMapB},
        };
        return DispatchCmdMsg(this, map, nID, nCode, pCmdUI) || CDocument::OnCmdMsg(nID, nCode, pCmdUI);
    }
    void OnMapA() {}
    void OnMapB() { ++mapBCount; }
    void OnUpdateMapA(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(mapAEnabled);
        pCmdUI->SetCheck(mapAChecked ? 1 : 0);
    }
    void OnUpdateMapB(CCmdUI* pCmdUI) { pCmdUI->Enable(mapBEnabled); }

    int newCount = 0;
    int mapBCount = 0;
    BOOL mapAEnabled = FALSE;
    bool mapAChecked = true;
    BOOL mapBEnabled = TRUE;
    GLuint texture = 0;
    bool madeCurrent = false;
};

struct MouseCall {
    const char* what;
    UINT flags;
    CPoint pt;
    int delta = 0;
};

class TestView : public CView {
public:
    int OnCreate() override
    {
        m_pDC = std::make_unique<CClientDC>(this);
        PIXELFORMATDESCRIPTOR pfd{};
        pfd.nSize = sizeof pfd;
        pfd.nVersion = 1;
        pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        pfd.iPixelType = PFD_TYPE_RGBA;
        pfd.cColorBits = 24;
        pfd.cDepthBits = 32;
        const HDC hdc = m_pDC->GetSafeHdc();
        chosen = ChoosePixelFormat(hdc, &pfd);
        formatSet = SetPixelFormat(hdc, chosen, &pfd) != FALSE;
        DescribePixelFormat(hdc, GetPixelFormat(hdc), sizeof described, &described);
        wglMakeCurrent(hdc, wglCreateContext(hdc));
        createdWithContext = wglGetCurrentContext() != nullptr;
        return 0;
    }
    void OnDestroy() override
    {
        HGLRC rc = wglGetCurrentContext();
        wglMakeCurrent(nullptr, nullptr);
        if (rc)
            wglDeleteContext(rc);
        m_pDC.reset();
        ++destroyCount;
    }
    void OnSize(UINT, int cx, int cy) override { size = CSize{cx, cy}; }
    void OnDraw() override
    {
        // Immediate mode with blending that leaves the destination alpha below 1.
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1.0f, 0.0f, 0.0f, 0.5f);
        glBegin(GL_QUADS);
        glVertex2f(-1, -1);
        glVertex2f(1, -1);
        glVertex2f(1, 1);
        glVertex2f(-1, 1);
        glEnd();
        glDisable(GL_BLEND);
        immediateModeOk = glGetError() == GL_NO_ERROR;
        auto* pDoc = static_cast<TestDoc*>(GetDocument());
        sawTexture = pDoc && pDoc->texture != 0 && glIsTexture(pDoc->texture) == GL_TRUE;
        ++paints;
    }
    void OnLButtonDown(UINT f, CPoint p) override
    {
        calls.push_back({"LDown", f, p});
        if (captureOnPress)
            SetCapture();
    }
    void OnLButtonUp(UINT f, CPoint p) override
    {
        calls.push_back({"LUp", f, p});
        if (HasCapture())
            ReleaseCapture();
    }
    void OnRButtonDown(UINT f, CPoint p) override { calls.push_back({"RDown", f, p}); }
    void OnRButtonUp(UINT f, CPoint p) override { calls.push_back({"RUp", f, p}); }
    void OnMouseMove(UINT f, CPoint p) override { calls.push_back({"Move", f, p}); }
    BOOL OnMouseWheel(UINT f, short z, CPoint p) override
    {
        calls.push_back({"Wheel", f, p, z});
        return TRUE;
    }
    void OnKeyDown(UINT nChar, UINT nRep, UINT) override { keys.push_back(nChar); }
    void OnCaptureChanged(CWnd* pWnd) override { captureChanges.push_back(pWnd); }

    std::unique_ptr<CClientDC> m_pDC;
    int chosen = 0;
    bool formatSet = false;
    PIXELFORMATDESCRIPTOR described{};
    bool createdWithContext = false;
    CSize size;
    int paints = 0;
    int destroyCount = 0;
    bool immediateModeOk = false;
    bool sawTexture = false;
    bool captureOnPress = true;
    std::vector<MouseCall> calls;
    std::vector<UINT> keys;
    std::vector<CWnd*> captureChanges;
};

class TestFrame : public CFrameWnd {
public:
    int OnCreate() override
    {
        static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_KANA, ID_INDICATOR_CAPS};
        m_wndToolBar.LoadToolBar(128);
        m_wndStatusBar.SetIndicators(indicators, 3);
        m_pToolBar = &m_wndToolBar;
        m_pStatusBar = &m_wndStatusBar;
        return 0;
    }
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
};

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("Trackwright") {}
    BOOL InitInstance() override
    {
        SetRegistryKey("Local AppWizard-Generated Applications");
        LoadStdProfileSettings(4);
        AddDocTemplate(new CSingleDocTemplate(
            128, [] { return new TestDoc; }, [] { return new TestFrame; }, [] { return new TestView; }));
        CCommandLineInfo cmdInfo;
        return ProcessShellCommand(cmdInfo);
    }
};

class QtWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxSetResources(&kResources);
        QSettings(QString::fromUtf8("Local AppWizard-Generated Applications"), "Trackwright").clear();
        backend = std::make_unique<QtBackend>();
        app = std::make_unique<TestApp>();
        ASSERT_TRUE(app->InitInstance());
        window = backend->MainWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        view = static_cast<TestView*>(window->Frame()->GetActiveView());
        doc = static_cast<TestDoc*>(view->GetDocument());
        widget = window->ViewWidget();
        ASSERT_TRUE(WaitFor([&] { return view->paints > 0; }));
    }
    void TearDown() override
    {
        app->GetDocTemplate()->CloseAll();
        backend.reset();
        app.reset();
        AfxSetResources(nullptr);
    }
    QMenu* Menu(int i) const { return window->menuBar()->actions().at(i)->menu(); }
    static QAction* ActionFor(QMenu* pMenu, UINT nID)
    {
        for (QAction* a : pMenu->actions())
            if (ActionCommandId(a) == nID)
                return a;
        return nullptr;
    }
    // Opens the menu (its items are brought up to date first) and closes it again.
    static void ShowMenu(QMenu* pMenu)
    {
        pMenu->popup(QPoint(0, 0));
        pMenu->hide();
    }

    std::unique_ptr<QtBackend> backend;
    std::unique_ptr<TestApp> app;
    QtMainWindow* window = nullptr;
    QtViewWidget* widget = nullptr;
    TestView* view = nullptr;
    TestDoc* doc = nullptr;
};

TEST_F(QtWindowTest, WindowIsBuiltFromTheResources)
{
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("無題 - Trackwright"));

    ASSERT_EQ(window->menuBar()->actions().size(), 2);
    EXPECT_EQ(window->menuBar()->actions()[0]->text(), QString::fromUtf8("ファイル(&F)"));
    QAction* pNew = ActionFor(Menu(0), ID_FILE_NEW);
    ASSERT_NE(pNew, nullptr);
    EXPECT_EQ(pNew->text(), QString::fromUtf8("新規作成(&N)\tCtrl+N"));
    EXPECT_EQ(pNew->statusTip(), QString::fromUtf8("新規にﾌｧｲﾙを作成"));

    // Without recent files the placeholder stays, greyed; with one, it is the list.
    ShowMenu(Menu(0));
    const auto placeholder = [&] {
        for (QAction* a : Menu(0)->actions())
            if (a->isVisible() && a->text() == QString::fromUtf8("最新のファイル"))
                return a;
        return static_cast<QAction*>(nullptr);
    };
    ASSERT_NE(placeholder(), nullptr);
    EXPECT_FALSE(placeholder()->isEnabled());
    app->AddToRecentFileList("/tmp/tw a&b.crs");
    ShowMenu(Menu(0));
    EXPECT_EQ(placeholder(), nullptr);
    QAction* pRecent = ActionFor(Menu(0), ID_FILE_MRU_FILE1);
    ASSERT_NE(pRecent, nullptr);
    EXPECT_EQ(pRecent->text(), QString::fromUtf8("&1 tw a&&b.crs"));
    EXPECT_TRUE(pRecent->isEnabled());

    ASSERT_NE(window->ToolBar(), nullptr);
    std::vector<QAction*> buttons;
    for (QAction* a : window->ToolBar()->actions())
        if (!a->isSeparator())
            buttons.push_back(a);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0]->toolTip(), QString::fromUtf8("新規ﾌｧｲﾙ"));
    EXPECT_FALSE(buttons[0]->icon().isNull());
    EXPECT_TRUE(buttons[0]->isEnabled());
    EXPECT_FALSE(buttons[1]->isEnabled()) << "cut has no handler";

    auto* pPane = window->statusBar()->findChild<QLabel*>("messagePane");
    ASSERT_NE(pPane, nullptr);
    EXPECT_EQ(pPane->text(), QString::fromUtf8("ﾚﾃﾞｨ"));
    auto* pKana = window->statusBar()->findChild<QLabel*>(QString("indicator%1").arg(ID_INDICATOR_KANA));
    ASSERT_NE(pKana, nullptr);
    EXPECT_EQ(pKana->text(), QString::fromUtf8("ｶﾅ"));
}

TEST_F(QtWindowTest, UpdateHandlersRunBeforeTheMenuShows)
{
    QAction* pA = ActionFor(Menu(1), ID_MAP_A);
    QAction* pToolBar = ActionFor(Menu(1), ID_VIEW_TOOLBAR);
    ASSERT_TRUE(pA && pToolBar);
    ShowMenu(Menu(1));
    EXPECT_FALSE(pA->isEnabled());
    EXPECT_TRUE(pA->isChecked());

    doc->mapAEnabled = TRUE;
    doc->mapAChecked = false;
    ShowMenu(Menu(1));
    EXPECT_TRUE(pA->isEnabled());
    EXPECT_FALSE(pA->isChecked());

    // The tool bar command of the frame hides the bar; its item shows the state.
    EXPECT_TRUE(pToolBar->isChecked());
    pToolBar->trigger();
    EXPECT_TRUE(window->ToolBar()->isHidden());
    EXPECT_FALSE(backend->IsToolBarVisible(window->Frame()));
    ShowMenu(Menu(1));
    EXPECT_FALSE(pToolBar->isChecked());
}

TEST_F(QtWindowTest, AcceleratorsReachTheDocumentUnlessDisabled)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const int before = doc->newCount;
    QTest::keyClick(widget, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(doc->newCount, before + 1);

    QTest::keyClick(widget, Qt::Key_F6);
    EXPECT_EQ(doc->mapBCount, 1);
    doc->mapBEnabled = FALSE;
    QTest::keyClick(widget, Qt::Key_F6);
    EXPECT_EQ(doc->mapBCount, 1) << "a disabled command is not run";

    // Keys that are no accelerator go to the view; DEL arrives as its virtual key.
    view->keys.clear();
    QTest::keyClick(widget, Qt::Key_Delete);
    ASSERT_FALSE(view->keys.empty());
    EXPECT_EQ(view->keys.back(), VK_DELETE);
}

TEST_F(QtWindowTest, MouseAndWheelReachTheViewWithFlagsAndClientPixels)
{
    view->captureOnPress = false;
    QTest::mousePress(widget, Qt::LeftButton, Qt::ControlModifier, QPoint(30, 40));
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::ControlModifier, QPoint(30, 40));
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 61), widget->mapToGlobal(QPointF(50, 61)), Qt::NoButton,
                     Qt::NoButton, Qt::ControlModifier);
    QApplication::sendEvent(widget, &move);
    QTest::mousePress(widget, Qt::RightButton, Qt::ShiftModifier, QPoint(7, 9));
    QMouseEvent drag(QEvent::MouseMove, QPointF(12, 3), widget->mapToGlobal(QPointF(12, 3)), Qt::NoButton,
                     Qt::RightButton, Qt::ShiftModifier);
    QApplication::sendEvent(widget, &drag);
    QTest::mouseRelease(widget, Qt::RightButton, Qt::ShiftModifier, QPoint(12, 3));
    QWheelEvent wheel(QPointF(20, 25), widget->mapToGlobal(QPointF(20, 25)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);

    std::vector<MouseCall> got;
    for (const MouseCall& c : view->calls)
        if (std::string(c.what) != "Move" || c.flags != 0)   // stray hover moves from the system
            got.push_back(c);
    const std::vector<MouseCall> want = {
        {"LDown", MK_LBUTTON | MK_CONTROL, {30, 40}},
        {"LUp", MK_CONTROL, {30, 40}},
        {"Move", MK_CONTROL, {50, 61}},
        {"RDown", MK_RBUTTON | MK_SHIFT, {7, 9}},
        {"Move", MK_RBUTTON | MK_SHIFT, {12, 3}},
        {"RUp", MK_SHIFT, {12, 3}},
        {"Wheel", 0, {20, 25}, -120},
    };
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_STREQ(got[i].what, want[i].what) << i;
        EXPECT_EQ(got[i].flags, want[i].flags) << i;
        EXPECT_EQ(got[i].pt, want[i].pt) << i;
        EXPECT_EQ(got[i].delta, want[i].delta) << i;
    }
    EXPECT_EQ(view->GetClientRect(), CRect(0, 0, widget->width(), widget->height()));
    EXPECT_EQ(view->size.cx, widget->width());
    EXPECT_EQ(view->size.cy, widget->height());
}

TEST_F(QtWindowTest, CaptureReleaseAndLossTellTheView)
{
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_TRUE(view->HasCapture());
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_FALSE(view->HasCapture());
    ASSERT_EQ(view->captureChanges.size(), 1u);
    EXPECT_EQ(view->captureChanges[0], nullptr);

    // Another window takes the capture while the button is held.
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(widget, &focusOut);
    EXPECT_FALSE(view->HasCapture());
    ASSERT_EQ(view->captureChanges.size(), 2u);
    EXPECT_NE(view->captureChanges[1], nullptr);
    EXPECT_NE(view->captureChanges[1], static_cast<CWnd*>(view));
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(view->captureChanges.size(), 2u) << "no second notice without a capture";
}

TEST_F(QtWindowTest, ViewContextIsCompatibleAndSharesWhatWasMadeBeforeShow)
{
    EXPECT_TRUE(doc->madeCurrent);
    EXPECT_NE(doc->texture, 0u);
    EXPECT_EQ(view->chosen, 1);
    EXPECT_TRUE(view->formatSet);
    EXPECT_TRUE(view->createdWithContext);
    EXPECT_EQ(view->described.dwFlags & PFD_NEED_PALETTE, 0u);
    EXPECT_NE(view->described.dwFlags & PFD_DOUBLEBUFFER, 0u);
    EXPECT_GE(view->described.cColorBits, 24);
    EXPECT_GE(view->described.cDepthBits, 24);

    EXPECT_TRUE(view->immediateModeOk);
    EXPECT_TRUE(view->sawTexture) << "texture made on the share context before show";

    // Blending left alpha at 0.75; the picture must still be opaque.
    const QImage image = widget->grabFramebuffer();
    ASSERT_FALSE(image.isNull());
    const QColor c = image.pixelColor(image.width() / 2, image.height() / 2);
    EXPECT_EQ(c.alpha(), 255);
    EXPECT_NEAR(c.red(), 128, 2);
    EXPECT_NEAR(c.blue(), 127, 2);

    app->GetDocTemplate()->CloseAll();
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

TEST_F(QtWindowTest, ExitDestroysTheViewOnce)
{
    // A view that was never created has nothing to destroy; this one was.
    TestView* pView = view;
    EXPECT_EQ(pView->destroyCount, 0);
    QAction* pExit = ActionFor(Menu(0), ID_APP_EXIT);
    ASSERT_NE(pExit, nullptr);
    pExit->trigger();
    EXPECT_EQ(pView->destroyCount, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(pView->GetHost(), nullptr);
    app->GetDocTemplate()->CloseAll();   // the program's end: nothing runs twice
}

class TestDlg : public CDialog {
public:
    TestDlg() : CDialog(IDD_TEST) {}
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PATH, m_path);
        DDX_Text(pDX, IDC_VALUE, m_value);
        DDV_MinMaxFloat(pDX, m_value, 0.0f, 1.0f);
    }
    std::string m_path = "/tmp/地図, 1.bmp";
    float m_value = 0.25f;
};

TEST_F(QtWindowTest, DialogFromTemplateExchangesTextAndStaysOpenOnBadInput)
{
    TestDlg dlg;
    QString shownPath, shownValue, messageText;
    bool stayedOpen = false;
    QString selected;
    bool labelLeadsToEdit = false;
    bool proportions = false;
    WhenModal<QtDialog>([&](QtDialog* d) {
        auto* pPath = qobject_cast<QLineEdit*>(d->Item(IDC_PATH));
        auto* pValue = qobject_cast<QLineEdit*>(d->Item(IDC_VALUE));
        auto* pOk = qobject_cast<QPushButton*>(d->Item(IDOK));
        if (!pPath || !pValue || !pOk) {
            ADD_FAILURE() << "controls of the template missing";
            return QTest::keyClick(d, Qt::Key_Escape);
        }
        shownPath = pPath->text();
        shownValue = pValue->text();
        for (QLabel* l : d->findChildren<QLabel*>())
            labelLeadsToEdit |= l->buddy() == pPath;
        const double ratio = double(pPath->width()) / pValue->width();
        proportions = ratio > 275.0 / 40 * 0.8 && ratio < 275.0 / 40 * 1.2 && pPath->y() < pValue->y();

        pPath->setText(QString::fromUtf8("/tmp/新しい地図.bmp"));
        pValue->setText("2");
        WhenModal<QMessageBox>([&](QMessageBox* m) {
            messageText = m->text();
            m->buttons().front()->click();
        });
        pOk->click();   // refused: the range message, and the dialog stays
        stayedOpen = d->isVisible();
        selected = pValue->selectedText();
        pValue->setText("0.5");
        pOk->click();
    });
    EXPECT_EQ(backend->DoModal(&dlg), IDOK);
    EXPECT_EQ(shownPath, QString::fromUtf8("/tmp/地図, 1.bmp"));
    EXPECT_EQ(shownValue, "0.25");
    EXPECT_TRUE(labelLeadsToEdit);
    EXPECT_TRUE(proportions);
    EXPECT_FALSE(messageText.isEmpty());
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(selected, "2");
    EXPECT_EQ(dlg.m_path, "/tmp/新しい地図.bmp");
    EXPECT_FLOAT_EQ(dlg.m_value, 0.5f);
    EXPECT_EQ(dlg.GetDialogHost(), nullptr);

    // Escape leaves the members alone.
    WhenModal<QtDialog>([](QtDialog* d) {
        if (auto* pPath = qobject_cast<QLineEdit*>(d->Item(IDC_PATH)))
            pPath->setText("changed");
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_EQ(backend->DoModal(&dlg), IDCANCEL);
    EXPECT_EQ(dlg.m_path, "/tmp/新しい地図.bmp");
}

TEST(QtProfile, StringsRoundTripIntoTheUsersConfigFolder)
{
    const std::string tricky = "/tmp/日本語 フォルダ/a,b;\"c\" = d.crs";
    {
        QtBackend backend;
        backend.WriteProfileString("Recent File List", "File1", tricky);
        backend.WriteProfileString("Recent File List", "File2", "");
        EXPECT_EQ(backend.GetProfileString("Recent File List", "File1"), tricky);
    }
    QtBackend again;
    EXPECT_EQ(again.GetProfileString("Recent File List", "File1"), tricky);
    EXPECT_EQ(again.GetProfileString("Recent File List", "File2"), "");
    EXPECT_EQ(again.GetProfileString("Recent File List", "Missing"), "");
    const QString file = QDir(qEnvironmentVariable("XDG_CONFIG_HOME"))
                             .filePath(QString::fromUtf8("Local AppWizard-Generated Applications/Trackwright.conf"));
    EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
}

TEST(QtSurface, FormatFollowsTheViewsRequest)
{
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 32;
    const QSurfaceFormat f = SurfaceFormatFor(pfd);
    EXPECT_EQ(f.profile(), QSurfaceFormat::CompatibilityProfile);
    EXPECT_EQ(f.redBufferSize(), 8);
    EXPECT_EQ(f.depthBufferSize(), 24);
    EXPECT_EQ(f.swapBehavior(), QSurfaceFormat::DoubleBuffer);
    pfd.dwFlags &= ~PFD_DOUBLEBUFFER;
    pfd.cDepthBits = 16;
    EXPECT_EQ(SurfaceFormatFor(pfd).swapBehavior(), QSurfaceFormat::SingleBuffer);
    EXPECT_EQ(SurfaceFormatFor(pfd).depthBufferSize(), 16);
}



// The program's own templates: every control there, none on top of another, inside the
// dialog, no label cut short, and Tab in template order.
TEST(QtDialogLayout, ProgramTemplatesLayOutCleanly)
{
    const ResourceSet& res = TrackwrightResources();
    ASSERT_FALSE(res.dialogs.empty());
    for (const DialogDef& def : res.dialogs) {
        SCOPED_TRACE(def.caption);
        CDialog owner(def.nID);
        QtDialog dialog(&owner, def, nullptr);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        std::vector<QWidget*> shown;
        for (QWidget* w : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible())
                shown.push_back(w);
        for (const DialogControlDef& c : def.controls) {
            if (c.nID != 0) {
                EXPECT_NE(dialog.Item(c.nID), nullptr) << c.nID;
            }
        }
        EXPECT_EQ(shown.size(), def.controls.size());
        for (QWidget* a : shown) {
            EXPECT_TRUE(dialog.rect().contains(a->geometry())) << a->metaObject()->className();
            if (auto* l = qobject_cast<QLabel*>(a); l && l->pixmap().isNull()) {
                EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString();
            }
            for (QWidget* b : shown) {
                if (a != b) {
                    EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                        << a->metaObject()->className() << " " << b->metaObject()->className();
                }
            }
        }
        std::vector<QWidget*> focusable;
        for (const DialogControlDef& c : def.controls)
            if (c.kind == DialogControlDef::Edit || c.kind == DialogControlDef::PushButton ||
                c.kind == DialogControlDef::DefPushButton)
                focusable.push_back(dialog.Item(c.nID));
        const auto nextTabStop = [](QWidget* w) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus));
            return w;
        };
        for (std::size_t i = 0; i + 1 < focusable.size(); ++i)
            EXPECT_EQ(nextTabStop(focusable[i]), focusable[i + 1]) << i;
        dialog.hide();
    }
}

TEST(QtAccelerators, EveryProgramAcceleratorHasAKey)
{
    for (const AccelDef& a : TrackwrightResources().accelerators)
        EXPECT_FALSE(AccelKeySequence(a).isEmpty()) << a.key;
    EXPECT_EQ(AccelKeySequence({"Backspace", false, false, true, 0}), QKeySequence(Qt::ALT | Qt::Key_Backspace));
    EXPECT_EQ(AccelKeySequence({"F6", false, true, false, 0}), QKeySequence(Qt::SHIFT | Qt::Key_F6));
    EXPECT_TRUE(AccelKeySequence({"NoSuchKey", true, false, false, 0}).isEmpty());
}

}  // namespace
