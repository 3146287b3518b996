#include "framework/CWnd.h"

#include "framework/Backend.h"
#include "framework/Wgl.h"

int CWndHost::ChoosePixelFormat(const PIXELFORMATDESCRIPTOR&)
{
    return HasGLContext() ? 1 : 0;
}

bool CWndHost::SetPixelFormat(int iPixelFormat, const PIXELFORMATDESCRIPTOR&)
{
    // A window's format is set once.
    if (iPixelFormat < 1 || iPixelFormat > DescribePixelFormat(iPixelFormat, nullptr) || m_iPixelFormat != 0)
        return false;
    m_iPixelFormat = iPixelFormat;
    return true;
}

int CWndHost::DescribePixelFormat(int iPixelFormat, PIXELFORMATDESCRIPTOR* ppfd) const
{
    if (iPixelFormat != 1 || !HasGLContext())
        return 0;
    if (ppfd)
        *ppfd = AfxDefaultPixelFormat();
    return 1;
}

void CWnd::Invalidate(BOOL bErase)
{
    if (m_pHost)
        m_pHost->Invalidate(bErase);
}

void CWnd::RedrawWindow()
{
    if (m_pHost)
        m_pHost->RedrawNow();
}

CRect CWnd::GetClientRect() const
{
    return m_pHost ? m_pHost->GetClientRect() : CRect();
}

void CWnd::SetCapture()
{
    if (m_pHost)
        m_pHost->SetCapture();
}

void CWnd::ReleaseCapture()
{
    if (m_pHost)
        m_pHost->ReleaseCapture();
}

bool CWnd::HasCapture() const
{
    return m_pHost && m_pHost->HasCapture();
}

CPoint CWnd::GetCursorClientPos() const
{
    return m_pHost ? m_pHost->GetCursorClientPos() : CPoint();
}

void CWnd::SetWindowText(const std::string& text)
{
    if (m_pHost)
        m_pHost->SetWindowText(text);
}

UINT CWnd::GetModifierFlags() const
{
    return m_pHost ? m_pHost->GetModifierFlags() : 0;
}

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT nType)
{
    return AfxMessageBox(text, nType, caption);
}
