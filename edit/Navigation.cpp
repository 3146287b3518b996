// The right and middle buttons pan, with Shift they zoom; the wheel zooms in steps.
#include "view/TrackwrightView.h"

#include <cstdint>

void CTrackwrightView::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bRButtonDown) {
        m_ptLast = point;
        m_bRButtonDown = true;
    }
    CView::OnRButtonDown(nFlags, point);
}

void CTrackwrightView::OnRButtonUp(UINT nFlags, CPoint point)
{
    m_bRButtonDown = false;
    CView::OnRButtonUp(nFlags, point);
}

void CTrackwrightView::OnMButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bMButtonDown) {
        m_ptLast = point;
        m_bMButtonDown = true;
    }
    CView::OnMButtonDown(nFlags, point);
}

void CTrackwrightView::OnMButtonUp(UINT nFlags, CPoint point)
{
    m_bMButtonDown = false;
    CView::OnMButtonUp(nFlags, point);
}

BOOL CTrackwrightView::OnMouseWheel(UINT nFlags, short zDelta, CPoint point)
{
    if (zDelta < 0)
        ZoomBy(1.5f);
    else if (zDelta > 0)
        ZoomBy(0.75f);
    return CView::OnMouseWheel(nFlags, zDelta, point);
}

void CTrackwrightView::NavigateStep(UINT nFlags, CPoint point)
{
    if (!m_bRButtonDown && !m_bMButtonDown)
        return;
    if (nFlags & MK_SHIFT) {
        // One step per pixel.
        const std::int64_t dy = std::int64_t{m_ptLast.y} - point.y;   // any two ints: no overflow
        if (dy > 0)
            ZoomBy(0.99f, dy);
        else if (dy < 0)
            ZoomBy(1.01f, -dy);
    } else if (m_rectClient.bottom > 0) {
        const double s = 2.0 * kViewHalfHeight / m_rectClient.bottom;
        m_vCamera.x = static_cast<float>(m_vCamera.x + (double(m_ptLast.x) - point.x) * s / m_fZoom);
        m_vCamera.y = static_cast<float>(m_vCamera.y - (double(m_ptLast.y) - point.y) * s / m_fZoom);
        Invalidate(TRUE);
    }
    m_ptLast = point;
}
