#pragma once

// The GL surface that hosts the frame's view: Qt's events become the view's handlers.
#include "framework/CView.h"
#include "framework/CWnd.h"

#include <QOpenGLWidget>

class QtViewWidget : public QOpenGLWidget, public CWndHost {
public:
    QtViewWidget(CView* pView, QWidget* pParent);
    ~QtViewWidget() override;

    CView* View() const { return m_pView; }
    // Set while a command chosen from a menu or the tool bar runs: the mouse is on that item,
    // wherever the item lay, so the view is told the cursor is off its client area.
    void SetCursorOnBars(bool onBars) { m_bCursorOnBars = onBars; }
    // Runs the view's window destruction with its context current, then cuts the link.
    void DestroyView();

    // CWndHost
    void Invalidate(BOOL bErase) override;
    void RedrawNow() override;
    CRect GetClientRect() const override;
    double GetDevicePixelRatio() const override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override;
    CPoint GetCursorClientPos() const override;
    void SetFocus() override;
    UINT GetModifierFlags() const override;
    bool MakeCurrent() override;
    void DoneCurrent() override;
    void SwapBuffers() override {}   // the widget composes its framebuffer itself
    bool KeepsFrame() const override { return true; }   // partial updates: see the constructor
    bool HasGLContext() const override;
    int DescribePixelFormat(int iPixelFormat, PIXELFORMATDESCRIPTOR* ppfd) const override;

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool event(QEvent* e) override;

private:
    enum class ButtonAction { Down, Up, DoubleClick };
    void DispatchButton(QMouseEvent* e, ButtonAction action);
    // The capture went elsewhere without the view asking.
    void LoseCapture();
    bool Live() const { return m_pView && m_bViewCreated; }

    CView* m_pView;
    bool m_bViewCreated = false;
    bool m_bCapture = false;
    bool m_bCursorOnBars = false;
    bool m_bInGLCall = false;   // inside Qt's initialize, resize or paint
};

// Flags of a mouse message from Qt's button and modifier state.
UINT MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
