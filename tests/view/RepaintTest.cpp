// The view draws a frame only when the picture would change, and a frame that redraws only
// what changed lights exactly the pixels a whole frame would.
#include "ViewScene.h"

#include <GL/gl.h>

namespace {

class Repaint : public ViewScene {
protected:
    void SetUp() override
    {
        ViewScene::SetUp();
        Open(640, 480);
        host.keepsFrame = true;
        UseRectangleCourse();
    }

    // Client pixel of world point (x, y).
    CPoint ClientOf(double x, double y) const
    {
        const GlPixel p = PixelOf(x, y);
        return CPoint(p.x, view->m_rectClient.bottom - 1 - p.y);
    }
};

TEST_F(Repaint, MouseMovesThatChangeNothingDrawNoFrame)
{
    Render();
    const int frames = view->m_nFrameCount;
    const int invalidations = host.invalidations;
    // A thousand moves over empty ground inside the course ring, away from every marker.
    for (int k = 0; k < 1000; ++k) {
        const CPoint p = ClientOf(-20.0 + 40.0 * (k % 100) / 100.0, 30.0 + 20.0 * (k / 100) / 10.0);
        view->OnMouseMove(0, p);
    }
    EXPECT_EQ(host.invalidations, invalidations);
    Render();   // a paint the window system asks for on its own draws nothing either
    EXPECT_EQ(view->m_nFrameCount, frames);

    // Onto a control point and onto a type-list row: each shows once; moving on over the
    // same part asks for nothing more.
    const CPoint moves[][2] = {{ClientOf(-50, 0), ClientOf(-50, 0.2)}, {CPoint(40, 8), CPoint(41, 9)}};
    for (const auto& move : moves) {
        const int before = host.invalidations;
        view->OnMouseMove(0, move[0]);
        EXPECT_EQ(host.invalidations, before + 1);
        Render();
        view->OnMouseMove(0, move[1]);
        EXPECT_EQ(host.invalidations, before + 1);
    }
    EXPECT_EQ(doc.m_course.m_handles[0].HoverPart, HandlePart::Pos);
    EXPECT_EQ(view->m_nHoverType, -1);
    EXPECT_EQ(view->m_nFrameCount, frames + 2);
}

}  // namespace
