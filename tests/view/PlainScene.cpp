#include "PlainScene.h"

#include "geometry/CourseSpline.h"
#include "view/DrawHelpers.h"
#include "view/PartDrawing.h"

#include <GL/gl.h>

#include <cstdint>
#include <vector>

namespace {

void Draw(GLenum mode, const std::vector<Vector3>& points)
{
    glBegin(mode);
    for (const Vector3& v : points)
        glVertex3f(v.x, v.y, v.z);
    glEnd();
}
// A circle of radius 1 as a line strip, or the view's red disc.
void PlainCircle(const Vector3& q, bool filled)
{
    if (filled)
        return DrawDisc(q, 1.0f, 12);
    std::vector<Vector3> points;
    for (int k = 0; k <= 12; ++k)
        points.push_back(CirclePoint(q, 1.0f, 12, k));
    Draw(GL_LINE_STRIP, points);
}
void PlainArrow(const Vector3& base, const Vector3& v, float s, bool highlighted)
{
    const Vector3 tip = base + v * s;
    Vector3 back = -v;
    back.Normalize();
    back *= 5.0;
    const Vector3 sideA = tip + RotatedZ(back, 0.34906587f), sideB = tip + RotatedZ(back, -0.34906587f);
    glPushAttrib(GL_CURRENT_BIT);
    if (highlighted) {
        glColor3f(1.0f, 0.0f, 0.0f);
        Draw(GL_TRIANGLES, {tip, sideA, sideB});
    } else {
        Draw(GL_LINE_STRIP, {sideB, tip, sideA, sideB});
    }
    glPopAttrib();
    Draw(GL_LINES, {base, tip});
}
void PlainWidthMarker(const CourseHandle& h, BorderSide side, float width, bool highlighted)
{
    const Vector3 m = h.vPos + h.BorderOffset(side, width);
    PlainCircle(m, highlighted);
    Draw(GL_LINES, {h.vPos, m});
}
void PlainSpan(const CourseHandle& h0, const CourseHandle& h1, SpanCurve curve)
{
    std::vector<Vector3> v(21);
    SampleSpan(h0, h1, curve, 20, v.data());
    Draw(GL_LINE_STRIP, v);
}
void PlainFrame(const XObject& o, float s)
{
    glPushMatrix();
    glTranslatef(o.Pos.x, o.Pos.y, o.Pos.z);
    glRotatef(-o.Direction * 57.2957763671875f, 0.0f, 0.0f, 1.0f);
    glScalef(s, s, s);
    const double w = o.Width, h = o.Height;
    Draw(GL_LINE_STRIP, {Vector3(-w, -h, 0), Vector3(w, -h, 0), Vector3(w, h, 0), Vector3(-w, h, 0), Vector3(-w, -h, 0)});
    glPopMatrix();
}

}  // namespace

void DrawPlainScene(const CTrackwrightDoc& doc, CTrackwrightView& view, CPoint cursor, int clientBottom)
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glScalef(view.m_fZoom, view.m_fZoom, 1.0f);
    glTranslatef(-view.m_vCamera.x, -view.m_vCamera.y, -view.m_vCamera.z);

    const CourseData& c = doc.m_course;
    DrawMapSquare(c);   // plain immediate mode already
    const int n = c.m_handles.GetSize();
    for (int i = 0; i < n; ++i) {
        const CourseHandle& h = c.m_handles[i];
        const CourseHandle& next = c.m_handles[(i + 1) % n];
        glColor3f(1.0f, 1.0f, 1.0f);
        PlainCircle(h.vPos, h.HoverPart == HandlePart::Pos);
        PlainArrow(h.vPos, h.vTanNext, 0.2f, h.HoverPart == HandlePart::TanNext);
        PlainArrow(h.vPos, h.vTanPrev, 0.2f, h.HoverPart == HandlePart::TanPrev);
        PlainWidthMarker(h, BorderSide::Left, h.WidthLeft, h.HoverPart == HandlePart::WidthLeft);
        PlainWidthMarker(h, BorderSide::Right, h.WidthRight, h.HoverPart == HandlePart::WidthRight);
        h.HoverPart == HandlePart::Span ? glColor3f(1.0f, 0.0f, 0.0f) : glColor3f(0.6f, 0.6f, 0.6f);
        PlainSpan(h, next, Centre);
        glColor3f(1.0f, 1.0f, 1.0f);
        PlainSpan(h, next, LeftBorder);
        PlainSpan(h, next, RightBorder);
    }

    for (const XObject& o : doc.m_xobjects) {
        PlainCircle(o.Pos, o.HoverPart == ObjectPart::Body);
        if (o.HoverPart == ObjectPart::Body) {   // the label's glyphs as many device pixels as the type list's
            const std::int32_t size = view.m_TextOverlay.Size;
            view.m_TextOverlay.Size = view.ToDevicePixels(size);
            view.m_TextOverlay.Printf(cursor.x, clientBottom - cursor.y, "%s", o.FileName.c_str());
            view.m_TextOverlay.Size = size;
        }
        PlainArrow(o.Pos, RotatedZ(Vector3(0.0, 10.0, 0.0), o.Direction), 1.0f,
                   o.HoverPart == ObjectPart::DirectionTip);
        PlainFrame(o, doc.m_xobjectScale);
    }
    // So are the selection's yellow, the rubber band and the type list.
    view.DrawSelection();
    glPopMatrix();
    view.DrawRubberBand();
    view.DrawTypeList();
    glFinish();
}
