#pragma once

// The real program in this process (application, Qt back end, window, view) and user actions,
// sent as Qt events.
#include "app/TrackwrightApp.h"
#include "document/TrackwrightDoc.h"
#include "file/CourseFile.h"
#include "framework/qt/QtBackend.h"
#include "framework/qt/QtMainWindow.h"
#include "framework/qt/QtViewWidget.h"
#include "view/TrackwrightView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class EditorFixture : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (CSingleDocTemplate* pTemplate = m_app ? m_app->GetDocTemplate() : nullptr)
            pTemplate->CloseAll();
        m_app.reset();
        m_backend.reset();
        ProcessEvents();
    }

    // Starts the program with these arguments; false when its start-up failed.
    bool Start(const std::vector<std::string>& args = {})
    {
        m_backend = std::make_unique<QtBackend>();
        m_app = std::make_unique<CTrackwrightApp>();
        std::vector<std::string> line = {"trackwright"};
        line.insert(line.end(), args.begin(), args.end());
        m_app->SetCommandLine(line);
        if (!m_app->InitInstance())
            return false;
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Window()));
        ActivateWindow();
        ViewWidget()->setFocus();
        ProcessEvents(50);
        return true;
    }
    // Shortcuts only reach an active window; with no window manager nobody else activates it,
    // not at the start, nor after a dialog closed.
    void ActivateWindow()
    {
        Window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Window()));
    }

    QtMainWindow* Window() const { return m_backend->MainWindow(); }
    QtViewWidget* ViewWidget() const { return Window()->ViewWidget(); }
    CTrackwrightView* View() const { return static_cast<CTrackwrightView*>(ViewWidget()->View()); }
    CTrackwrightDoc* Doc() const { return View()->GetDocument(); }
    int Handles() const { return Doc()->m_course.m_handles.GetSize(); }
    std::string Title() const { return Window()->windowTitle().toStdString(); }

    // The client pixel of a course point, from the view's camera.
    QPoint PixelOf(float x, float y) const
    {
        const CTrackwrightView* v = View();
        const double W = v->m_rectClient.right, H = v->m_rectClient.bottom, scale = v->m_fZoom * H / 200.0;
        return QPoint(static_cast<int>(std::lround(W / 2 + (x - v->m_vCamera.x) * scale)),
                      static_cast<int>(std::lround(H / 2 - (y - v->m_vCamera.y) * scale)));
    }

    // To the view, or to the window given.
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods = {}, QWidget* to = nullptr)
    {
        QWidget* target = to ? to : ViewWidget();
        QMouseEvent e(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, buttons, mods);
        QApplication::sendEvent(target, &e);
    }
    void Press(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods = {})
    {
        Mouse(QEvent::MouseButtonPress, at, button, button, mods);
    }
    void Release(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods = {})
    {
        Mouse(QEvent::MouseButtonRelease, at, button, Qt::NoButton, mods);
    }
    // The system cursor follows: DEL acts where it is.
    void Move(QPoint to, Qt::MouseButtons buttons = {}, Qt::KeyboardModifiers mods = {})
    {
        QCursor::setPos(ViewWidget()->mapToGlobal(to));
        Mouse(QEvent::MouseMove, to, Qt::NoButton, buttons, mods);
    }
    // As Qt delivers one: the second press comes as a double-click event.
    void DoubleClick(QPoint at, Qt::KeyboardModifiers mods = {})
    {
        Press(at, Qt::LeftButton, mods);
        Release(at, Qt::LeftButton, mods);
        Mouse(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton, mods);
        Release(at, Qt::LeftButton, mods);
    }
    void Drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
    {
        Press(from, button);
        Move((from + to) / 2, button);
        Move(to, button);
        Release(to, button);
    }
    // Through the window system, as a real key press: shortcuts are matched on that road. Then,
    // when asked, what follows for so many milliseconds.
    void Key(int key, Qt::KeyboardModifiers mods = {}, int thenMs = -1)
    {
        if (!Window()->isActiveWindow())
            ActivateWindow();
        QTest::keyClick(Window()->windowHandle(), static_cast<Qt::Key>(key), mods);
        if (thenMs >= 0)
            ProcessEvents(thenMs);
    }
    void Wheel(QPoint at, int delta, QWidget* to = nullptr)
    {
        QWidget* target = to ? to : ViewWidget();
        QWheelEvent e(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &e);
    }

    // Runs `answer` on the next modal window as soon as it shows; answers queue in order.
    void OnNextModal(std::function<void(QWidget*)> answer)
    {
        auto* timer = new QTimer(qApp);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, answer]() {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            timer->stop();
            timer->deleteLater();
            answer(modal);
        });
        timer->start(20);
    }
    // The next dialog's answer: this text typed into its line edit of this name, then accepted.
    void TypeIntoDialog(const char* field, const std::string& text)
    {
        OnNextModal([field, text](QWidget* w) {
            auto* edit = w->findChild<QLineEdit*>(field);
            ASSERT_NE(edit, nullptr) << w->metaObject()->className();
            edit->setText(QString::fromStdString(text));
            QMetaObject::invokeMethod(w, "accept", Qt::QueuedConnection);
        });
    }
    // The message box's answer: its button of this role; its text into *text.
    void AnswerMessageBox(QMessageBox::ButtonRole role, std::string* text = nullptr)
    {
        OnNextModal([role, text](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr) << w->metaObject()->className();
            if (text)
                *text = box->text().toStdString();
            for (QAbstractButton* button : box->buttons())
                if (box->buttonRole(button) == role)
                    return button->click();
            ADD_FAILURE() << "no button of that role";
        });
    }

    // What the view shows now, as drawn by its GL context.
    QImage Screenshot() { return ViewWidget()->grabFramebuffer().convertToFormat(QImage::Format_RGB888); }
    void ProcessEvents(int ms = 0) { QTest::qWait(ms); }

    static std::string ReadFile(const std::string& path)
    {
        return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
    }
    // Writes a course file into the test's folder; the default course's text when text is empty.
    std::string WriteCourse(const std::string& name, std::string text = {}) const
    {
        CTrackwrightDoc doc;
        doc.OnNewDocument();
        const std::string path = m_dir.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << (text.empty() ? CourseFileText(doc.StoredFields()) : text);
        return path;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<QtBackend> m_backend;
    std::unique_ptr<CTrackwrightApp> m_app;
};
