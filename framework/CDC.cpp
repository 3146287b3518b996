#include "framework/CDC.h"

#include "framework/CWnd.h"

BOOL CPalette::CreatePalette(const LOGPALETTE* pLogPalette)
{
    if (!pLogPalette || m_bCreated)
        return FALSE;
    m_bCreated = true;
    return TRUE;
}

BOOL CPalette::DeleteObject()
{
    if (!m_bCreated)
        return FALSE;
    m_bCreated = false;
    return TRUE;
}

CWndHost* CDC::GetHost() const
{
    return m_pWnd ? m_pWnd->GetHost() : nullptr;
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL)
{
    CPalette* pOld = m_pPalette;
    m_pPalette = pPalette;
    return pOld;
}

UINT CDC::RealizePalette()
{
    // True-colour surfaces map every colour directly: nothing is ever remapped.
    return 0;
}
