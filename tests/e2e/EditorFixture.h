#pragma once

// The real program in this process (application, Qt back end, window, view) and user actions.
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

    // Starts the program with these arguments; false when its start-up failed.
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

    // Runs `answer` on the next modal window as soon as it shows; answers queue in order.
    void OnNextModal(std::function<void(QWidget*)> answer);
    // The file dialog's answer: this path, accepted.
    void AnswerFileDialog(const std::string& path);
    // The message box's answer: its button of this role.
    void AnswerMessageBox(QMessageBox::ButtonRole role, std::string* text = nullptr);

    // What the view shows now, as drawn by its GL context.
    QImage Screenshot();
    void ProcessEvents(int ms = 0);

    std::string ReadFile(const std::string& path) const;
    // Writes a course file into the test's folder; the default course's text when text is empty.
    std::string WriteCourse(const std::string& name, std::string text = {}) const;

    QTemporaryDir m_dir;
    std::unique_ptr<QtBackend> m_backend;
    std::unique_ptr<CTrackwrightApp> m_app;
};
