#include "doc/CourseData.h"
#include "geometry/HandlePicking.h"
#include "view/DrawHelpers.h"
#include "view/PartDrawing.h"

#include <GL/gl.h>

void CourseData::DrawCourse() const
{
    DrawMapSquare(*this);
    DrawHandleRange(*this, 0, m_handles.GetSize());
}

void DrawMapSquare(const CourseData& course)
{
    // The map square lies at z = -1, behind everything; without a map it is plain grey L.
    const float L = course.m_texLuminance;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, course.m_mapTexture);
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
}

void DrawHandleRange(const CourseData& course, int first, int last)
{
    const RecordList<CourseHandle>& handles = course.m_handles;
    const int n = handles.GetSize();
    for (int i = first; i < last; ++i) {
        const CourseHandle& h = handles[i];
        const CourseHandle& next = handles[(i + 1) % n];
        if (h.HoverPart == HandlePart::Pos)
            DrawDisc(h.vPos, 1.0f, 12);
        else
            DrawCircle(h.vPos, 1.0f, 12, kWhite);
        DrawArrow(h.vPos, h.vTanNext, kTangentTipScale, h.HoverPart == HandlePart::TanNext, kWhite);
        DrawArrow(h.vPos, h.vTanPrev, kTangentTipScale, h.HoverPart == HandlePart::TanPrev, kWhite);
        DrawWidthMarker(h, 0, h.WidthLeft, h.HoverPart == HandlePart::WidthLeft, kWhite);
        DrawWidthMarker(h, 1, h.WidthRight, h.HoverPart == HandlePart::WidthRight, kWhite);
        h.DrawSpan(next, Centre, 20, h.HoverPart == HandlePart::Span ? kRed : kCentreGrey);
        h.DrawSpan(next, LeftBorder, 20, kWhite);
        h.DrawSpan(next, RightBorder, 20, kWhite);
        PaceFrame(i);
    }
}
