#include "EditorFixture.h"
#include "file/CourseFile.h"

#include "framework/qt/QtMainWindow.h"
#include "framework/qt/QtViewWidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <fstream>
#include <sstream>
#include <cmath>

void EditorFixture::TearDown()
{
    if (CSingleDocTemplate* pTemplate = m_app ? m_app->GetDocTemplate() : nullptr)
        pTemplate->CloseAll();
    m_app.reset();
    m_backend.reset();
    ProcessEvents();
}

bool EditorFixture::Start(const std::vector<std::string>& args)
{
    m_backend = std::make_unique<QtBackend>();
    m_app = std::make_unique<CTrackwrightApp>();
    std::vector<std::string> line = {"trackwright"};
    line.insert(line.end(), args.begin(), args.end());
    m_app->SetCommandLine(line);
    if (!m_app->InitInstance())
        return false;
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Window()));
    // Shortcuts only reach an active window; with no window manager nobody else activates it.
    Window()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Window()));
    ViewWidget()->setFocus();
    ProcessEvents(50);
    return true;
}

QtMainWindow* EditorFixture::Window() const { return m_backend ? m_backend->MainWindow() : nullptr; }
QtViewWidget* EditorFixture::ViewWidget() const { return Window() ? Window()->ViewWidget() : nullptr; }
CTrackwrightView* EditorFixture::View() const
{
    return ViewWidget() ? static_cast<CTrackwrightView*>(ViewWidget()->View()) : nullptr;
}
CTrackwrightDoc* EditorFixture::Doc() const { return View() ? View()->GetDocument() : nullptr; }
QPoint EditorFixture::PixelOf(float x, float y) const
{
    const CTrackwrightView* v = View();
    const double W = v->m_rectClient.right;
    const double H = v->m_rectClient.bottom;
    const double scale = v->m_fZoom * H / 200.0;
    return QPoint(static_cast<int>(std::lround(W / 2 + (x - v->m_vCamera.x) * scale)),
                  static_cast<int>(std::lround(H / 2 - (y - v->m_vCamera.y) * scale)));
}

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods)
{
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, mods);
    QApplication::sendEvent(w, &e);
}

}  // namespace

void EditorFixture::Press(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    SendMouse(ViewWidget(), QEvent::MouseButtonPress, at, button, button, mods);
}

void EditorFixture::Move(QPoint to, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    QCursor::setPos(ViewWidget()->mapToGlobal(to));
    SendMouse(ViewWidget(), QEvent::MouseMove, to, Qt::NoButton, buttons, mods);
}

void EditorFixture::Release(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    SendMouse(ViewWidget(), QEvent::MouseButtonRelease, at, button, Qt::NoButton, mods);
}

void EditorFixture::Key(int key, Qt::KeyboardModifiers mods)
{
    // With no window manager, a closed dialog leaves no window active, and shortcuts need one.
    if (!Window()->isActiveWindow()) {
        Window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Window()));
    }
    // Through the window system, as a real key press: shortcuts are matched on that road.
    QTest::keyClick(Window()->windowHandle(), static_cast<Qt::Key>(key), mods);
}

void EditorFixture::Wheel(QPoint at, int delta)
{
    QWheelEvent e(QPointF(at), QPointF(ViewWidget()->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(ViewWidget(), &e);
}

void EditorFixture::OnNextModal(std::function<void(QWidget*)> answer)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        answer(modal);
    });
    timer->start();
}

void EditorFixture::AnswerFileDialog(const std::string& path)
{
    OnNextModal([path](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dlg, nullptr) << "expected a file dialog, got " << w->metaObject()->className();
        // Typed into the name field, as a user would.
        auto* edit = dlg->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        edit->setText(QString::fromStdString(path));
        QMetaObject::invokeMethod(dlg, "accept", Qt::QueuedConnection);
    });
}

void EditorFixture::AnswerMessageBox(QMessageBox::ButtonRole role, std::string* text)
{
    OnNextModal([role, text](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr) << "expected a message box, got " << w->metaObject()->className();
        if (text)
            *text = box->text().toStdString();
        for (QAbstractButton* button : box->buttons())
            if (box->buttonRole(button) == role)
                return button->click();
        ADD_FAILURE() << "no button of that role";
    });
}

QImage EditorFixture::Screenshot()
{
    return ViewWidget()->grabFramebuffer().convertToFormat(QImage::Format_RGB888);
}

void EditorFixture::ProcessEvents(int ms)
{
    QApplication::processEvents();
    if (ms > 0)
        QTest::qWait(ms);
}

std::string EditorFixture::ReadFile(const std::string& path) const
{
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}
std::string EditorFixture::WriteCourse(const std::string& name, std::string text) const
{
    if (text.empty()) {
        CTrackwrightDoc doc;
        doc.OnNewDocument();
        text = CourseFileText(doc.StoredFields());
    }
    const std::string path = m_dir.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}
