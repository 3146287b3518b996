#include "framework/CWnd.h"

#include "framework/Backend.h"

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

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT nType)
{
    return AfxMessageBox(text, nType, caption);
}
