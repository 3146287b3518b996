// What the view draws over the course: the selection, the rubber band and the type list.
#include "view/DrawHelpers.h"
#include "view/EditInput.h"
#include "view/TrackwrightView.h"

#include <GL/gl.h>

#include <cmath>
#include <string>

namespace {

constexpr Rgb kSelectedYellow{1.0f, 1.0f, 0.0f};

}  // namespace

// Drawn after the course and the objects, on the same lines: with the depth test passing
// equal depths the yellow replaces their white. Hovered pieces stay red, so they are skipped.
void CTrackwrightView::DrawSelection()
{
    const CTrackwrightDoc* pDoc = GetDocument();
    if (!pDoc || !m_pEdit || m_pEdit->Selection().Empty())
        return;
    const CourseSelection& sel = m_pEdit->Selection();
    const RecordList<CourseHandle>& handles = pDoc->m_course.m_handles;
    const RecordList<XObject>& objects = pDoc->m_xobjects;
    if (sel.handleCount != handles.GetSize() || sel.objectCount != objects.GetSize())
        return;
    SavedColour saved;
    glDepthFunc(GL_LEQUAL);
    for (const int i : sel.handles) {
        const CourseHandle& h = handles[i];
        if (h.HoverPart != HandlePart::Pos)
            DrawCircle(h.vPos, 1.0f, 12, kSelectedYellow);
        DrawCircle(h.vPos, kSelectedRingRadius, 12, kSelectedYellow);
    }
    const float s = pDoc->m_xobjectScale;
    for (const int i : sel.objects) {
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
    CPoint from;
    CPoint to;
    if (!m_pEdit || !m_pEdit->BandShown(from, to))
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
    glVertex2f(x(from.x), y(from.y));
    glVertex2f(x(to.x), y(from.y));
    glVertex2f(x(to.x), y(to.y));
    glVertex2f(x(from.x), y(to.y));
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void CTrackwrightView::DrawTypeList()
{
    // Rows are Size logical pixels high, as HitTestTypeList counts them; the overlay draws in
    // device pixels, so a high-DPI screen shows the same list, sharper.
    const std::int32_t logicalSize = m_TextOverlay.Size;
    const int g = ToDevicePixels(logicalSize);
    m_TextOverlay.Size = g;
    int y = ToDevicePixels(GetClientRect().bottom) - g;

    auto setRowColour = [&](bool hovered) {
        m_TextOverlay.Colour[0] = 1.0f;
        m_TextOverlay.Colour[1] = hovered ? 0.0f : 1.0f;
        m_TextOverlay.Colour[2] = hovered ? 0.0f : 1.0f;
        m_TextOverlay.Colour[3] = 1.0f;
    };

    setRowColour(m_nHoverType == kControlPointRow);
    m_TextOverlay.Printf(0, y, m_nSelectedType < 0 ? "*CtrlPnt" : " CtrlPnt");
    y -= g;
    for (int k = 0; k < m_XObjectTypes.GetSize(); ++k) {
        setRowColour(m_nHoverType == k);
        m_TextOverlay.Printf(0, y, m_nSelectedType == k ? "*%s" : " %s", m_XObjectTypes[k].FileName.c_str());
        y -= g;
    }
    m_TextOverlay.Size = logicalSize;
}

PixelRect CTrackwrightView::TypeListRect(const ViewLook& look) const
{
    // The rows DrawTypeList prints, each within the box the overlay clips its text to.
    TextOverlay overlay = m_TextOverlay;
    overlay.Size = look.textSize;
    const int g = look.textSize;
    const int top = static_cast<int>(std::lround(look.height * look.ratio)) - g;
    PixelRect rect;
    const int rows = 1 + static_cast<int>(look.types.size());
    for (int r = 0; r < rows; ++r) {
        const std::string text = r == 0 ? std::string("*CtrlPnt") : " " + look.types[static_cast<std::size_t>(r - 1)];
        rect.Join(PixelsOf(overlay.TextBounds(text.c_str(), 0, top - r * g)));
    }
    return rect;
}
