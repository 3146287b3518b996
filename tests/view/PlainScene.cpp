#include "PlainScene.h"

#include "geometry/CourseSpline.h"
#include "view/DrawHelpers.h"

#include <GL/gl.h>

#include <cstdint>

namespace {

void V(const Vector3& v)
{
    glVertex3f(v.x, v.y, v.z);
}

// The current colour kept across a piece that paints red, as glPushAttrib(GL_CURRENT_BIT) does.
struct KeepColour {
    KeepColour() { glGetFloatv(GL_CURRENT_COLOR, rgba); }
    ~KeepColour() { glColor4fv(rgba); }
    GLfloat rgba[4];
};

void PlainCircle(const Vector3& q)
{
    glBegin(GL_LINE_STRIP);
    for (int k = 0; k <= 12; ++k)
        V(CirclePoint(q, 1.0f, 12, k));
    glEnd();
}

void PlainDisc(const Vector3& q)
{
    KeepColour keep;
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_TRIANGLE_FAN);
    V(q);
    for (int k = 0; k <= 12; ++k)
        V(CirclePoint(q, 1.0f, 12, k));
    glEnd();
}

void PlainArrow(const Vector3& base, const Vector3& v, float s, bool highlighted)
{
    const Vector3 tip = base + v * s;
    Vector3 back = -v;
    back.Normalize();
    back *= 5.0;
    const Vector3 sideA = tip + RotatedZ(back, 0.34906587f);
    const Vector3 sideB = tip + RotatedZ(back, -0.34906587f);
    {
        KeepColour keep;
        if (highlighted) {
            glColor3f(1.0f, 0.0f, 0.0f);
            glBegin(GL_TRIANGLES);
            V(tip);
            V(sideA);
            V(sideB);
        } else {
            glBegin(GL_LINE_STRIP);
            V(sideB);
            V(tip);
            V(sideA);
            V(sideB);
        }
        glEnd();
    }
    glBegin(GL_LINES);
    V(base);
    V(tip);
    glEnd();
}

void PlainWidthMarker(const CourseHandle& h, BorderSide side, float width, bool highlighted)
{
    const Vector3 m = h.vPos + h.BorderOffset(side, width);
    highlighted ? PlainDisc(m) : PlainCircle(m);
    glBegin(GL_LINES);
    V(h.vPos);
    V(m);
    glEnd();
}

void PlainSpan(const CourseHandle& h0, const CourseHandle& h1, SpanCurve curve)
{
    Vector3 v[21];
    SampleSpan(h0, h1, curve, 20, v);
    glBegin(GL_LINE_STRIP);
    for (const Vector3& p : v)
        V(p);
    glEnd();
}

void PlainFrame(const XObject& o, float s)
{
    glPushMatrix();
    glTranslatef(o.Pos.x, o.Pos.y, o.Pos.z);
    glRotatef(-o.Direction * 57.2957763671875f, 0.0f, 0.0f, 1.0f);
    glScalef(s, s, s);
    glBegin(GL_LINE_STRIP);
    glVertex3f(-o.Width, -o.Height, 0.0f);
    glVertex3f(o.Width, -o.Height, 0.0f);
    glVertex3f(o.Width, o.Height, 0.0f);
    glVertex3f(-o.Width, o.Height, 0.0f);
    glVertex3f(-o.Width, -o.Height, 0.0f);
    glEnd();
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
    const float L = c.m_texLuminance;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, c.m_mapTexture);
    glColor3f(L, L, L);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-128.0f, -128.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(128.0f, -128.0f, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(128.0f, 128.0f, -1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-128.0f, 128.0f, -1.0f);
    glEnd();
    glDisable(GL_TEXTURE_2D);

    const int n = c.m_handles.GetSize();
    for (int i = 0; i < n; ++i) {
        const CourseHandle& h = c.m_handles[i];
        glColor3f(1.0f, 1.0f, 1.0f);
        h.HoverPart == HandlePart::Pos ? PlainDisc(h.vPos) : PlainCircle(h.vPos);
        PlainArrow(h.vPos, h.vTanNext, 0.2f, h.HoverPart == HandlePart::TanNext);
        PlainArrow(h.vPos, h.vTanPrev, 0.2f, h.HoverPart == HandlePart::TanPrev);
        PlainWidthMarker(h, BorderSide::Left, h.WidthLeft, h.HoverPart == HandlePart::WidthLeft);
        PlainWidthMarker(h, BorderSide::Right, h.WidthRight, h.HoverPart == HandlePart::WidthRight);
        if (h.HoverPart == HandlePart::Span)
            glColor3f(1.0f, 0.0f, 0.0f);
        else
            glColor3f(0.6f, 0.6f, 0.6f);
        PlainSpan(h, c.m_handles[(i + 1) % n], Centre);
        glColor3f(1.0f, 1.0f, 1.0f);
        PlainSpan(h, c.m_handles[(i + 1) % n], LeftBorder);
        PlainSpan(h, c.m_handles[(i + 1) % n], RightBorder);
    }

    for (const XObject& o : doc.m_xobjects) {
        if (o.HoverPart == ObjectPart::Body) {
            PlainDisc(o.Pos);
            // The label's glyphs are as many device pixels as the type list's.
            const std::int32_t size = view.m_TextOverlay.Size;
            view.m_TextOverlay.Size = view.ToDevicePixels(size);
            view.m_TextOverlay.Printf(cursor.x, clientBottom - cursor.y, "%s", o.FileName.c_str());
            view.m_TextOverlay.Size = size;
        } else {
            PlainCircle(o.Pos);
        }
        PlainArrow(o.Pos, RotatedZ(Vector3(0.0, 10.0, 0.0), o.Direction), 1.0f,
                   o.HoverPart == ObjectPart::DirectionTip);
        PlainFrame(o, doc.m_xobjectScale);
    }
    // The selection's yellow and the rubber band are plain immediate mode already.
    view.DrawSelection();
    glPopMatrix();
    view.DrawRubberBand();
    view.DrawTypeList();
    glFinish();
}
