#pragma once

// The real program started in this process: its application object, the Qt back end, the
// main window and the view, with helpers to act on them like a user.
#include "app/TrackwrightApp.h"
#include "doc/TrackwrightDoc.h"
#include "framework/qt/QtBackend.h"
#include "view/TrackwrightView.h"

#include <QImage>
#include <QMessageBox>
#include <QPoint>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class QtMainWindow;
class QtViewWidget;
class QWidget;

class EditorFixture : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts the program with these arguments (after the program name); false when its
    // start-up failed, as the process would then end.
    bool Start(const std::vector<std::string>& args = {});

    QtMainWindow* Window() const;
    QtViewWidget* ViewWidget() const;
    CTrackwrightView* View() const;
    CTrackwrightDoc* Doc() const;

    // The client pixel of a course point, from the view's camera.
    QPoint PixelOf(float x, float y) const;

    void Press(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void Move(QPoint to, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void Release(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void Wheel(QPoint at, int delta);

    // Runs `answer` on the next modal window (message box, file or settings dialog) as soon as
    // it shows; answers are queued in order.
    void OnNextModal(std::function<void(QWidget*)> answer);
    // The file dialog's answer: this path, accepted.
    void AnswerFileDialog(const std::string& path);
    // The message box's answer: its button of this role.
    void AnswerMessageBox(QMessageBox::ButtonRole role, std::string* text = nullptr);

    // What the view shows now, as drawn by its GL context.
    QImage Screenshot();
    void ProcessEvents(int ms = 0);

    std::string ReadFile(const std::string& path) const;

    QTemporaryDir m_dir;
    std::unique_ptr<QtBackend> m_backend;
    std::unique_ptr<CTrackwrightApp> m_app;
};
