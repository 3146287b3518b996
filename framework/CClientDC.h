#pragma once

#include "framework/CWnd.h"

// The drawing surface of a window: it carries the pixel format and the GL context.
class CClientDC {
public:
    explicit CClientDC(CWnd* pWnd) : m_pHost(pWnd ? pWnd->GetHost() : nullptr) {}
    CWndHost* GetHost() const { return m_pHost; }

private:
    CWndHost* m_pHost;
};
