#pragma once

#include "framework/Afx.h"
#include "framework/CCmdTarget.h"

#include "framework/Wgl.h"

#include <string>

// What a real window gives to the code behind it. Each back end (Qt, the tests, the
// headless renderer) implements it; the system's code never sees the toolkit.
class CWndHost {
public:
    virtual ~CWndHost() = default;
    virtual void Invalidate(BOOL bErase) = 0;
    virtual void RedrawNow() = 0;                  // repaint at once
    virtual CRect GetClientRect() const = 0;       // logical pixels
    virtual double GetDevicePixelRatio() const { return 1.0; }
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    virtual CPoint GetCursorClientPos() const = 0; // the system cursor, in client pixels
    virtual void SetFocus() {}
    virtual void SetWindowText(const std::string& text) {}
    virtual bool MakeCurrent() { return true; }    // the window's GL context
    virtual void SwapBuffers() {}

    // Pixel format of a GL window: an index > 0 when the surface can give the request.
    // The defaults describe a true-colour, double-buffered surface with a depth buffer.
    virtual int ChoosePixelFormat(const PIXELFORMATDESCRIPTOR& pfd) { return 1; }
    virtual bool SetPixelFormat(int iPixelFormat, const PIXELFORMATDESCRIPTOR& pfd)
    {
        m_nPixelFormat = iPixelFormat;
        return true;
    }
    virtual int GetPixelFormat() const { return m_nPixelFormat; }
    virtual bool DescribePixelFormat(int iPixelFormat, PIXELFORMATDESCRIPTOR& pfd) const
    {
        pfd = PIXELFORMATDESCRIPTOR();
        pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        pfd.cColorBits = 24;
        pfd.cRedBits = pfd.cGreenBits = pfd.cBlueBits = 8;
        pfd.cRedShift = 16;
        pfd.cGreenShift = 8;
        pfd.cDepthBits = 24;
        return true;
    }

private:
    int m_nPixelFormat = 0;
};

// A window as the framework's classes see it: the host does the work.
class CWnd : public CCmdTarget {
public:
    void SetHost(CWndHost* pHost) { m_pHost = pHost; }
    CWndHost* GetHost() const { return m_pHost; }

    void Invalidate(BOOL bErase = TRUE);
    void RedrawWindow();
    CRect GetClientRect() const;
    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const;
    CPoint GetCursorClientPos() const;
    void SetWindowText(const std::string& text);
    // A message box owned by this window; the caption defaults to the application title.
    int MessageBox(const std::string& text, const std::string& caption = {}, UINT nType = MB_OK);

protected:
    CWndHost* m_pHost = nullptr;
};
