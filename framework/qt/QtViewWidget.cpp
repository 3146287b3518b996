#include "framework/qt/QtViewWidget.h"

#include "framework/Wgl.h"
#include "framework/qt/QtKeys.h"

#include <GL/gl.h>

#include <QCursor>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QWheelEvent>

#include <cmath>

namespace {

CPoint ClientPoint(const QPointF& p)
{
    return CPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

// The window that took the capture away, as the view sees it: some other window.
CWnd* OtherWindow()
{
    static CWnd other;
    return &other;
}

}  // namespace

UINT MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    UINT flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

QtViewWidget::QtViewWidget(CView* pView, QWidget* pParent) : QOpenGLWidget(pParent), m_pView(pView)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The view covers its whole client area on every paint: nothing to erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The framebuffer keeps its colour and depth between paints (a resize makes a new one and
    // the view then draws it whole), so a frame can redraw only what changed.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    if (m_pView)
        m_pView->SetHost(this);
}

QtViewWidget::~QtViewWidget()
{
    if (m_pView && m_pView->GetHost() == this)
        m_pView->SetHost(nullptr);
}

void QtViewWidget::DestroyView()
{
    if (!m_pView)
        return;
    if (m_bCapture) {
        m_bCapture = false;
        releaseMouse();
    }
    if (m_bViewCreated) {
        MakeCurrent();
        m_pView->OnDestroy();
    }
    if (m_pView->GetHost() == this)
        m_pView->SetHost(nullptr);
    m_pView = nullptr;
    m_bViewCreated = false;
}

void QtViewWidget::Invalidate(BOOL)
{
    update();
}

void QtViewWidget::RedrawNow()
{
    // Inside Qt's own resize or paint a nested paint would re-enter the view; the pending
    // paint of that pass shows the change.
    if (m_bInGLCall)
        update();
    else
        repaint();
}

CRect QtViewWidget::GetClientRect() const
{
    return CRect(0, 0, width(), height());
}

double QtViewWidget::GetDevicePixelRatio() const
{
    return devicePixelRatioF();
}

void QtViewWidget::SetCapture()
{
    m_bCapture = true;
    grabMouse();
}

void QtViewWidget::ReleaseCapture()
{
    if (!m_bCapture)
        return;
    m_bCapture = false;
    releaseMouse();
    if (Live())
        m_pView->OnCaptureChanged(nullptr);
}

bool QtViewWidget::HasCapture() const
{
    return m_bCapture;
}

void QtViewWidget::LoseCapture()
{
    if (!m_bCapture)
        return;
    m_bCapture = false;
    if (mouseGrabber() == this)
        releaseMouse();
    if (Live())
        m_pView->OnCaptureChanged(OtherWindow());
}

CPoint QtViewWidget::GetCursorClientPos() const
{
    if (m_bCursorOnBars)
        return CPoint(-1, -1);
    const QPoint p = mapFromGlobal(QCursor::pos());
    return CPoint(p.x(), p.y());
}

void QtViewWidget::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

bool QtViewWidget::HasGLContext() const
{
    return context() && context()->isValid();
}

bool QtViewWidget::MakeCurrent()
{
    if (!HasGLContext())
        return false;
    makeCurrent();
    return true;
}

void QtViewWidget::DoneCurrent()
{
    if (HasGLContext())
        doneCurrent();
}

int QtViewWidget::DescribePixelFormat(int iPixelFormat, PIXELFORMATDESCRIPTOR* ppfd) const
{
    if (iPixelFormat != 1 || !HasGLContext())
        return 0;
    if (ppfd) {
        const QSurfaceFormat f = context()->format();
        PIXELFORMATDESCRIPTOR pfd = AfxDefaultPixelFormat();
        const auto bits = [](int n) { return static_cast<BYTE>(n < 0 ? 0 : n > 255 ? 255 : n); };
        pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
        if (f.swapBehavior() != QSurfaceFormat::SingleBuffer)
            pfd.dwFlags |= PFD_DOUBLEBUFFER;
        pfd.cRedBits = bits(f.redBufferSize());
        pfd.cGreenBits = bits(f.greenBufferSize());
        pfd.cBlueBits = bits(f.blueBufferSize());
        pfd.cBlueShift = 0;
        pfd.cGreenShift = pfd.cBlueBits;
        pfd.cRedShift = bits(pfd.cGreenBits + pfd.cBlueBits);
        pfd.cColorBits = bits(pfd.cRedBits + pfd.cGreenBits + pfd.cBlueBits);
        pfd.cAlphaBits = bits(f.alphaBufferSize());
        pfd.cAlphaShift = pfd.cAlphaBits ? bits(pfd.cColorBits) : 0;
        pfd.cDepthBits = bits(f.depthBufferSize());
        pfd.cStencilBits = bits(f.stencilBufferSize());
        *ppfd = pfd;
    }
    return 1;
}

void QtViewWidget::initializeGL()
{
    if (!m_pView || m_bViewCreated)
        return;
    m_bInGLCall = true;
    m_bViewCreated = m_pView->OnCreate() != -1;
    m_bInGLCall = false;
}

void QtViewWidget::resizeGL(int w, int h)
{
    if (!Live())
        return;
    m_bInGLCall = true;
    m_pView->OnSize(0, w, h);
    m_bInGLCall = false;
}

void QtViewWidget::paintGL()
{
    if (!Live())
        return;
    m_bInGLCall = true;
    m_pView->OnDraw();
    m_bInGLCall = false;

    // The widget's picture is composed as premultiplied alpha: whatever blending left in
    // the alpha channel would darken it, so the alpha of every pixel goes back to 1.
    GLboolean mask[4];
    GLfloat clear[4];
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColorMask(mask[0], mask[1], mask[2], mask[3]);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    if (scissor)
        glEnable(GL_SCISSOR_TEST);
}

// A press, release or double click of one button goes to the view's handler for it.
void QtViewWidget::DispatchButton(QMouseEvent* e, ButtonAction action)
{
    if (!Live())
        return;
    using Handler = void (CView::*)(UINT, CPoint);
    // Per button: down, up, double click, in the order of ButtonAction.
    static constexpr Handler kLeft[] = {&CView::OnLButtonDown, &CView::OnLButtonUp, &CView::OnLButtonDblClk};
    static constexpr Handler kRight[] = {&CView::OnRButtonDown, &CView::OnRButtonUp, &CView::OnRButtonDblClk};
    static constexpr Handler kMiddle[] = {&CView::OnMButtonDown, &CView::OnMButtonUp, &CView::OnMButtonDblClk};
    const Handler* handlers = nullptr;
    switch (e->button()) {
    case Qt::LeftButton:
        handlers = kLeft;
        break;
    case Qt::RightButton:
        handlers = kRight;
        break;
    case Qt::MiddleButton:
        handlers = kMiddle;
        break;
    default:
        return;
    }
    (m_pView->*handlers[static_cast<int>(action)])(MouseFlags(e->buttons(), e->modifiers()),
                                                    ClientPoint(e->position()));
}

void QtViewWidget::mousePressEvent(QMouseEvent* e)
{
    DispatchButton(e, ButtonAction::Down);
}

void QtViewWidget::mouseReleaseEvent(QMouseEvent* e)
{
    DispatchButton(e, ButtonAction::Up);
}

// The second press of a double click comes as a double click of its own, which the view
// handles apart from a press (and by default ignores): Ctrl+double-click inserts once.
void QtViewWidget::mouseDoubleClickEvent(QMouseEvent* e)
{
    DispatchButton(e, ButtonAction::DoubleClick);
}

void QtViewWidget::mouseMoveEvent(QMouseEvent* e)
{
    if (Live())
        m_pView->OnMouseMove(MouseFlags(e->buttons(), e->modifiers()), ClientPoint(e->position()));
}

void QtViewWidget::wheelEvent(QWheelEvent* e)
{
    if (!Live())
        return;
    const int dy = e->angleDelta().y();
    if (dy == 0) {
        e->ignore();
        return;
    }
    const short zDelta = static_cast<short>(dy < -32768 ? -32768 : dy > 32767 ? 32767 : dy);
    m_pView->OnMouseWheel(MouseFlags(e->buttons(), e->modifiers()), zDelta, ClientPoint(e->position()));
}

void QtViewWidget::keyPressEvent(QKeyEvent* e)
{
    if (!Live()) {
        QOpenGLWidget::keyPressEvent(e);
        return;
    }
    const UINT nChar = VirtualKeyFromQt(e->key(), e->modifiers());
    if (nChar == 0) {
        QOpenGLWidget::keyPressEvent(e);
        return;
    }
    m_pView->OnKeyDown(nChar, 1, 0);
}

void QtViewWidget::keyReleaseEvent(QKeyEvent* e)
{
    const UINT nChar = Live() && !e->isAutoRepeat() ? VirtualKeyFromQt(e->key(), e->modifiers()) : 0;
    if (nChar == 0) {
        QOpenGLWidget::keyReleaseEvent(e);
        return;
    }
    m_pView->OnKeyUp(nChar, 1, 0);
}

UINT QtViewWidget::GetModifierFlags() const
{
    const Qt::KeyboardModifiers mods = QGuiApplication::keyboardModifiers();
    return ((mods & Qt::ShiftModifier) ? MK_SHIFT : 0) | ((mods & Qt::ControlModifier) ? MK_CONTROL : 0);
}

void QtViewWidget::focusOutEvent(QFocusEvent* e)
{
    if (Live())
        m_pView->OnKillFocus();
    LoseCapture();
    QOpenGLWidget::focusOutEvent(e);
}

void QtViewWidget::hideEvent(QHideEvent* e)
{
    LoseCapture();
    QOpenGLWidget::hideEvent(e);
}

bool QtViewWidget::event(QEvent* e)
{
    if (e->type() == QEvent::WindowDeactivate)
        LoseCapture();
    return QOpenGLWidget::event(e);
}
