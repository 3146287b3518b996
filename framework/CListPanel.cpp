#include "framework/CListPanel.h"

#include "framework/Backend.h"

CListPanel::~CListPanel()
{
    if (m_pHost) {
        if (CBackend* pBackend = AfxGetBackend())
            pBackend->DestroyListPanel(this);
    }
}

bool CListPanel::Show()
{
    if (!m_pHost) {
        CBackend* pBackend = AfxGetBackend();
        if (!pBackend || !pBackend->CreateListPanel(this) || !m_pHost)
            return false;
        OnCreatePanel();
    }
    m_pHost->Show();
    return true;
}
