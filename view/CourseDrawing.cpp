#include "document/CourseData.h"
#include "geometry/CourseSpline.h"
#include "geometry/HandlePicking.h"
#include "geometry/MapSquare.h"
#include "view/DrawHelpers.h"
#include "view/PartDrawing.h"

#include <GL/gl.h>
#include <cstdint>

namespace {

// One line of the span from h0 to h1 in N segments; fewer than one segment draws nothing
// (N = 0 would be 0 / 0).
void DrawSpan(const CourseHandle& h0, const CourseHandle& h1, SpanCurve curve, int N, const Rgb& colour)
{
    LineBlock strip(colour);
    if (N >= 1) {
        const SpanLine line = LineOfSpan(h0, h1, curve);
        for (std::int64_t i = 0; i <= N; ++i)
            strip.To(SpanLineVertex(line, static_cast<int>(i), N));
    }
}

}  // namespace

void DrawMapSquare(const CourseData& course)
{
    // The map square lies at z = -1, behind everything; without a map it is plain grey L.
    const float L = course.m_texLuminance;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, course.m_mapTexture);
    glColor3f(L, L, L);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-kMapSquareHalf, -kMapSquareHalf, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(kMapSquareHalf, -kMapSquareHalf, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(kMapSquareHalf, kMapSquareHalf, -1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-kMapSquareHalf, kMapSquareHalf, -1.0f);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

void DrawHandleRange(const CourseData& course, int first, int last)
{
    const RecordList<CourseHandle>& handles = course.m_handles;
    for (int i = first; i < last; ++i) {
        const CourseHandle& h = handles[i];
        const CourseHandle& next = NextInRing(handles, i);
        if (h.HoverPart == HandlePart::Pos)
            DrawDisc(h.vPos, 1.0f, 12);
        else
            DrawCircle(h.vPos, 1.0f, 12, kWhite);
        DrawArrow(h.vPos, h.vTanNext, kTangentTipScale, h.HoverPart == HandlePart::TanNext, kWhite);
        DrawArrow(h.vPos, h.vTanPrev, kTangentTipScale, h.HoverPart == HandlePart::TanPrev, kWhite);
        DrawWidthMarker(h, BorderSide::Left, h.WidthLeft, h.HoverPart == HandlePart::WidthLeft, kWhite);
        DrawWidthMarker(h, BorderSide::Right, h.WidthRight, h.HoverPart == HandlePart::WidthRight, kWhite);
        DrawSpan(h, next, Centre, 20, h.HoverPart == HandlePart::Span ? kRed : kCentreGrey);
        DrawSpan(h, next, LeftBorder, 20, kWhite);
        DrawSpan(h, next, RightBorder, 20, kWhite);
        PaceFrame(i);
    }
}
