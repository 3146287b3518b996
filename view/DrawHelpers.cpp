#include "view/DrawHelpers.h"

#include <GL/gl.h>
#include <cmath>

namespace {

const float kDegToRad = 0.017453292f;
const float kArrowHeadAngle = 0.34906587f;

// The 13 rim points of a radius-1 marker around m, k * 30 degrees apart.
void RimVertices(const Vector3& m)
{
    for (int k = 0; k <= 12; ++k) {
        const double a = k * 30 * static_cast<double>(kDegToRad);
        glVertex3f(static_cast<float>(m.x + std::cos(a)), static_cast<float>(m.y + std::sin(a)), m.z);
    }
}

void CircleVertices(const Vector3& q, float r, int N)
{
    for (int k = 0; k <= N; ++k) {
        const double theta = (static_cast<double>(k) * 360.0 / N) * static_cast<double>(kDegToRad);
        glVertex3f(static_cast<float>(q.x + r * std::cos(theta)), static_cast<float>(q.y + r * std::sin(theta)), q.z);
    }
}

void Vertex(const Vector3& v)
{
    glVertex3f(v.x, v.y, v.z);
}

}  // namespace

void DrawCircle(const Vector3& q, float r, int N)
{
    if (N < 1)
        return;
    glBegin(GL_LINE_STRIP);
    CircleVertices(q, r, N);
    glEnd();
}

void DrawDisc(const Vector3& q, float r, int N)
{
    if (N < 1)
        return;
    glPushAttrib(GL_CURRENT_BIT);
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_TRIANGLE_FAN);
    Vertex(q);
    CircleVertices(q, r, N);
    glEnd();
    glPopAttrib();
}

void DrawArrow(const Vector3& base, const Vector3& v, float s, bool highlighted)
{
    const Vector3 tip = base + v * s;
    Vector3 back = -v;
    back.Normalize();
    back *= 5.0;
    const Vector3 sideA = tip + RotatedZ(back, kArrowHeadAngle);
    const Vector3 sideB = tip + RotatedZ(back, -kArrowHeadAngle);

    glPushAttrib(GL_CURRENT_BIT);
    if (highlighted) {
        glColor3f(1.0f, 0.0f, 0.0f);
        glBegin(GL_TRIANGLES);
        Vertex(tip);
        Vertex(sideA);
        Vertex(sideB);
        glEnd();
    } else {
        glBegin(GL_LINE_STRIP);
        Vertex(sideB);
        Vertex(tip);
        Vertex(sideA);
        Vertex(sideB);
        glEnd();
    }
    glPopAttrib();

    glBegin(GL_LINES);
    Vertex(base);
    Vertex(tip);
    glEnd();
}

void DrawWidthMarker(const CourseHandle& handle, int side, float width, bool highlighted)
{
    const Vector3 m = handle.vPos + handle.BorderOffset(side, width);
    if (highlighted) {
        glPushAttrib(GL_CURRENT_BIT);
        glColor3f(1.0f, 0.0f, 0.0f);
        glBegin(GL_TRIANGLE_FAN);
        Vertex(m);
        RimVertices(m);
        glEnd();
        glPopAttrib();
    } else {
        glBegin(GL_LINE_STRIP);
        RimVertices(m);
        glEnd();
    }
    glBegin(GL_LINES);
    Vertex(handle.vPos);
    Vertex(m);
    glEnd();
}

void DrawXObjectFrame(const Vector3& p, float a, float b, float s, float d)
{
    glPushMatrix();
    glTranslatef(p.x, p.y, p.z);
    glRotatef(-d * 57.2957763671875f, 0.0f, 0.0f, 1.0f);
    glScalef(s, s, s);
    glBegin(GL_LINE_STRIP);
    glVertex3f(-a, -b, 0.0f);
    glVertex3f(a, -b, 0.0f);
    glVertex3f(a, b, 0.0f);
    glVertex3f(-a, b, 0.0f);
    glVertex3f(-a, -b, 0.0f);
    glEnd();
    glPopMatrix();
}
