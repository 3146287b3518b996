#pragma once

#include "framework/Afx.h"
#include "framework/CCmdTarget.h"

#include <string>

struct PIXELFORMATDESCRIPTOR;

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
    // MK_SHIFT and MK_CONTROL as the keyboard is now (a key message carries no modifiers).
    virtual UINT GetModifierFlags() const { return 0; }
    virtual bool MakeCurrent() { return true; }    // the window's GL context
    virtual void DoneCurrent() {}
    virtual void SwapBuffers() {}
    // The window's picture stays as the last frame left it, colour and depth, until the next
    // frame or a resize, so a frame may redraw only what changed.
    virtual bool KeepsFrame() const { return false; }

    // The window's GL surface. The defaults offer one true-colour format and a context, so
    // a host without a real surface still lets the view set itself up.
    virtual bool HasGLContext() const { return true; }
    // 1-based index of the format closest to the request, 0 when none fits.
    virtual int ChoosePixelFormat(const PIXELFORMATDESCRIPTOR& pfd);
    virtual bool SetPixelFormat(int iPixelFormat, const PIXELFORMATDESCRIPTOR& pfd);
    virtual int GetPixelFormat() const { return m_iPixelFormat; }
    // Fills *ppfd when given; returns the number of formats, 0 for a bad index.
    virtual int DescribePixelFormat(int iPixelFormat, PIXELFORMATDESCRIPTOR* ppfd) const;

protected:
    int m_iPixelFormat = 0;
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
    UINT GetModifierFlags() const;
    // A message box owned by this window; the caption defaults to the application title.
    int MessageBox(const std::string& text, const std::string& caption = {}, UINT nType = MB_OK);

protected:
    CWndHost* m_pHost = nullptr;
};
