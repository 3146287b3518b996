#include "framework/Wgl.h"

#include "framework/CWnd.h"

struct GLRenderContext {
    CDC* pDC;
};

namespace {
// The calling thread's current context, as the view's code sees it.
HGLRC s_current = nullptr;
HDC s_currentDC = nullptr;

CWndHost* HostOf(HDC hdc)
{
    return hdc ? hdc->GetHost() : nullptr;
}
}  // namespace

PIXELFORMATDESCRIPTOR AfxDefaultPixelFormat()
{
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cRedBits = 8;
    pfd.cRedShift = 16;
    pfd.cGreenBits = 8;
    pfd.cGreenShift = 8;
    pfd.cBlueBits = 8;
    pfd.cBlueShift = 0;
    pfd.cDepthBits = 24;
    pfd.cStencilBits = 8;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

int ChoosePixelFormat(HDC hdc, const PIXELFORMATDESCRIPTOR* ppfd)
{
    CWndHost* pHost = HostOf(hdc);
    return pHost && ppfd ? pHost->ChoosePixelFormat(*ppfd) : 0;
}

BOOL SetPixelFormat(HDC hdc, int iPixelFormat, const PIXELFORMATDESCRIPTOR* ppfd)
{
    CWndHost* pHost = HostOf(hdc);
    return pHost && ppfd && pHost->SetPixelFormat(iPixelFormat, *ppfd) ? TRUE : FALSE;
}

int GetPixelFormat(HDC hdc)
{
    CWndHost* pHost = HostOf(hdc);
    return pHost ? pHost->GetPixelFormat() : 0;
}

int DescribePixelFormat(HDC hdc, int iPixelFormat, UINT nBytes, PIXELFORMATDESCRIPTOR* ppfd)
{
    CWndHost* pHost = HostOf(hdc);
    if (!pHost)
        return 0;
    if (ppfd && nBytes < sizeof(PIXELFORMATDESCRIPTOR))
        ppfd = nullptr;
    return pHost->DescribePixelFormat(iPixelFormat, ppfd);
}

HGLRC wglCreateContext(HDC hdc)
{
    CWndHost* pHost = HostOf(hdc);
    if (!pHost || pHost->GetPixelFormat() == 0 || !pHost->HasGLContext())
        return nullptr;
    return new GLRenderContext{hdc};
}

BOOL wglMakeCurrent(HDC hdc, HGLRC hglrc)
{
    if (!hglrc) {
        if (s_currentDC) {
            if (CWndHost* pHost = HostOf(s_currentDC))
                pHost->DoneCurrent();
        }
        s_current = nullptr;
        s_currentDC = nullptr;
        return TRUE;
    }
    CWndHost* pHost = HostOf(hdc);
    if (!pHost || !pHost->MakeCurrent())
        return FALSE;
    s_current = hglrc;
    s_currentDC = hdc;
    return TRUE;
}

BOOL wglDeleteContext(HGLRC hglrc)
{
    if (!hglrc)
        return FALSE;
    if (s_current == hglrc) {
        s_current = nullptr;
        s_currentDC = nullptr;
    }
    delete hglrc;
    return TRUE;
}

HGLRC wglGetCurrentContext()
{
    return s_current;
}

HDC wglGetCurrentDC()
{
    return s_currentDC;
}

BOOL SwapBuffers(HDC hdc)
{
    CWndHost* pHost = HostOf(hdc);
    if (!pHost)
        return FALSE;
    pHost->SwapBuffers();
    return TRUE;
}
