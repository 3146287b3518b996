#include "view/DrawHelpers.h"
#include "view/TrackwrightView.h"

#include <GL/gl.h>

namespace {

constexpr Rgb kSelectedYellow{1.0f, 1.0f, 0.0f};

}  // namespace

// Drawn after the course and the objects, on the same lines: with the depth test passing
// equal depths the yellow replaces their white. Hovered pieces stay red, so they are skipped.
void CTrackwrightView::DrawSelection()
{
    const CTrackwrightDoc* pDoc = GetDocument();
    if (!pDoc || m_selection.Empty())
        return;
    const RecordList<CourseHandle>& handles = pDoc->m_course.m_handles;
    const RecordList<XObject>& objects = pDoc->m_xobjects;
    if (m_selection.handleCount != handles.GetSize() || m_selection.objectCount != objects.GetSize())
        return;
    SavedColour saved;
    glDepthFunc(GL_LEQUAL);
    for (const int i : m_selection.handles) {
        const CourseHandle& h = handles[i];
        if (h.HoverPart != HandlePart::Pos)
            DrawCircle(h.vPos, 1.0f, 12, kSelectedYellow);
        DrawCircle(h.vPos, kSelectedRingRadius, 12, kSelectedYellow);
    }
    const float s = pDoc->m_xobjectScale;
    for (const int i : m_selection.objects) {
        const XObject& o = objects[i];
        if (o.HoverPart != ObjectPart::Body)
            DrawCircle(o.Pos, 1.0f, 12, kSelectedYellow);
        if (o.HoverPart != ObjectPart::DirectionTip)
            DrawArrow(o.Pos, o.DirectionVector(), 1.0f, false, kSelectedYellow);
        DrawXObjectFrame(o.Pos, o.Width, o.Height, s, o.Direction, kSelectedYellow);
    }
    glDepthFunc(GL_LESS);
}

// The rubber band, in window pixels over everything.
void CTrackwrightView::DrawRubberBand()
{
    if (!m_gesture.BandShown())
        return;
    const double w = ToDevicePixels(m_rectClient.right);
    const double h = ToDevicePixels(m_rectClient.bottom);
    const auto x = [&](int px) { return ToDevicePixels(px) + 0.5f; };
    const auto y = [&](int py) { return static_cast<float>(h) - ToDevicePixels(py) - 0.5f; };
    SavedColour saved;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, w, 0.0, h, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glColor3f(kSelectedYellow.r, kSelectedYellow.g, kSelectedYellow.b);
    glBegin(GL_LINE_LOOP);
    glVertex2f(x(m_gesture.ptDown.x), y(m_gesture.ptDown.y));
    glVertex2f(x(m_gesture.ptNow.x), y(m_gesture.ptDown.y));
    glVertex2f(x(m_gesture.ptNow.x), y(m_gesture.ptNow.y));
    glVertex2f(x(m_gesture.ptDown.x), y(m_gesture.ptNow.y));
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
