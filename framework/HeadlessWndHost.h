#pragma once

#include "framework/CWnd.h"

// A window that exists only as a size: for drawing a view with no display at all.
class HeadlessWndHost : public CWndHost {
public:
    HeadlessWndHost(int width, int height) : m_client(0, 0, width, height) {}
    void Invalidate(BOOL) override {}
    void RedrawNow() override {}
    CRect GetClientRect() const override { return m_client; }
    void SetCapture() override {}
    void ReleaseCapture() override {}
    bool HasCapture() const override { return false; }
    // Far outside the window: nothing is under a cursor that does not exist.
    CPoint GetCursorClientPos() const override { return CPoint(-100000, -100000); }
    // The framebuffer it is drawn into holds its pixels between frames.
    bool KeepsFrame() const override { return true; }

private:
    CRect m_client;
};
