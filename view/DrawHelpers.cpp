#include "view/DrawHelpers.h"

#include <GL/gl.h>
#include <cmath>

namespace {

const float kDegToRad = 0.017453292f;
const float kArrowHeadAngle = 0.34906587f;

// cos and sin of the 13 rim angles of a 12-segment circle, formed once exactly as every
// circle forms them: a whole course draws three such circles per handle and one per object.
struct TwelveSegmentRim {
    double c[13];
    double s[13];
};

const TwelveSegmentRim& Rim12()
{
    static const TwelveSegmentRim rim = [] {
        TwelveSegmentRim r{};
        for (int k = 0; k <= 12; ++k) {
            const double theta = (static_cast<double>(k) * 360.0 / 12) * static_cast<double>(kDegToRad);
            r.c[k] = std::cos(theta);
            r.s[k] = std::sin(theta);
        }
        return r;
    }();
    return rim;
}

void Vertex(const Vector3& v)
{
    glVertex3f(v.x, v.y, v.z);
}

}  // namespace

SavedColour::SavedColour()
{
    glGetFloatv(GL_CURRENT_COLOR, m_rgba);
}

SavedColour::~SavedColour()
{
    glColor4fv(m_rgba);
}

Vector3 CirclePoint(const Vector3& q, float r, int N, int k)
{
    double c;
    double s;
    if (N == 12 && k >= 0 && k <= 12) {
        c = Rim12().c[k];
        s = Rim12().s[k];
    } else {
        const double theta = (static_cast<double>(k) * 360.0 / N) * static_cast<double>(kDegToRad);
        c = std::cos(theta);
        s = std::sin(theta);
    }
    return Vector3(q.x + r * c, q.y + r * s, q.z);
}

void PaceFrame(int i)
{
    if (i % 64 == 63)
        glFlush();
}

void DrawCircle(const Vector3& q, float r, int N, const Rgb& colour)
{
    if (N < 1)
        return;
    LineBlock rim(colour);
    for (int k = 0; k <= N; ++k)
        rim.To(CirclePoint(q, r, N, k));
}

void DrawDisc(const Vector3& q, float r, int N)
{
    if (N < 1)
        return;
    SavedColour saved;
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_TRIANGLE_FAN);
    Vertex(q);
    for (int k = 0; k <= N; ++k)
        Vertex(CirclePoint(q, r, N, k));
    glEnd();
}

void DrawArrow(const Vector3& base, const Vector3& v, float s, bool highlighted, const Rgb& colour)
{
    const Vector3 tip = base + v * s;
    Vector3 back = -v;
    back.Normalize();
    back *= 5.0;
    // The head's two turns are fixed: their cos and sin are worked out once.
    static const double cA = std::cos(static_cast<double>(kArrowHeadAngle));
    static const double sA = std::sin(static_cast<double>(kArrowHeadAngle));
    static const double cB = std::cos(-static_cast<double>(kArrowHeadAngle));
    static const double sB = std::sin(-static_cast<double>(kArrowHeadAngle));
    const Vector3 sideA = tip + RotatedZ(back, cA, sA);
    const Vector3 sideB = tip + RotatedZ(back, cB, sB);

    if (highlighted) {
        glColor3f(1.0f, 0.0f, 0.0f);
        glBegin(GL_TRIANGLES);
        Vertex(tip);
        Vertex(sideA);
        Vertex(sideB);
        glEnd();
    }
    LineBlock lines(colour);
    if (!highlighted) {
        lines.To(sideB);
        lines.To(tip);
        lines.To(sideA);
        lines.To(sideB);
    }
    lines.Segment(base, tip);
}

void DrawWidthMarker(const CourseHandle& handle, BorderSide side, float width, bool highlighted, const Rgb& colour)
{
    const Vector3 m = handle.vPos + handle.BorderOffset(side, width);
    if (highlighted)
        DrawDisc(m, 1.0f, 12);
    LineBlock lines(colour);
    if (!highlighted) {
        for (int k = 0; k <= 12; ++k)
            lines.To(CirclePoint(m, 1.0f, 12, k));
    }
    lines.Segment(handle.vPos, m);
}

void DrawXObjectFrame(const Vector3& p, float a, float b, float s, float d, const Rgb& colour)
{
    glPushMatrix();
    glTranslatef(p.x, p.y, p.z);
    glRotatef(-d * 57.2957763671875f, 0.0f, 0.0f, 1.0f);
    glScalef(s, s, s);
    {
        LineBlock outline(colour);
        outline.To(Vector3(-a, -b, 0.0));
        outline.To(Vector3(a, -b, 0.0));
        outline.To(Vector3(a, b, 0.0));
        outline.To(Vector3(-a, b, 0.0));
        outline.To(Vector3(-a, -b, 0.0));
    }
    glPopMatrix();
}
