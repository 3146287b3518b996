// The camera arithmetic: client pixel to world and back, the type list's rows, and what a
// resize does to viewport and projection.
#include "ViewScene.h"

#include <GL/gl.h>

namespace {

TEST(ViewCamera, ScreenToWorldIsTheInverseOfTheDrawing)
{
    CTrackwrightView v;
    v.m_rectClient = CRect(0, 0, 640, 480);
    v.m_vCamera = Vector3(12.5, -40.25, 100.0);
    v.m_fZoom = 1.7f;
    EXPECT_EQ(v.ScreenToWorld(320, 240), Vector3(12.5, -40.25, 0.0));
    for (const auto& [px, py] : {std::pair{0, 0}, {639, 479}, {17, 300}, {500, 3}}) {
        const Vector3 w = v.ScreenToWorld(px, py);
        const double unit = 1.7 * 480 / 200.0;   // pixels per course unit
        EXPECT_NEAR(320 + (w.x - 12.5) * unit, px, 1e-3) << px << "," << py;
        EXPECT_NEAR(240 - (w.y + 40.25) * unit, py, 1e-3) << px << "," << py;
    }
}

TEST(ViewCamera, TypeListRowsAreSixteenPixelsAndAsWideAsTheirText)
{
    CTrackwrightView v;
    v.m_rectClient = CRect(0, 0, 640, 480);
    v.m_TextOverlay.Size = 16;
    v.m_XObjectTypes.RemoveAll();
    v.m_XObjectTypes.Add(XObjectType{"", 1.0f, 1.0f});   // an empty name is still one mark wide
    v.m_XObjectTypes.Add(XObjectType{"abc", 1.0f, 1.0f});
    // -1 is the "CtrlPnt" row, (7 + 1) * 16 wide; -2 is outside every row.
    const int cases[][3] = {{0, 5, -2}, {8, 5, -1},  {127, 5, -1}, {128, 5, -2}, {8, -1, -2}, {8, 16, 0},
                            {16, 16, -2}, {63, 47, 1}, {64, 47, -2}, {8, 48, -2}};
    for (const auto& [x, y, row] : cases)
        EXPECT_EQ(v.HitTestTypeList(x, y), row) << x << "," << y;
}

class ViewResize : public ViewScene {};

TEST_F(ViewResize, ViewportAndProjectionFollowTheClientSize)
{
    Open(640, 480);
    GLint vp[4] = {};
    glGetIntegerv(GL_VIEWPORT, vp);
    EXPECT_EQ(vp[2], 640);
    EXPECT_EQ(vp[3], 480);
    GLdouble p[16] = {};
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    // glOrtho(-h*cx/cy, h*cx/cy, -h, h, 0.1, 200) with h = 100.
    EXPECT_NEAR(p[0], 480.0 / (100.0 * 640.0), 1e-9);
    EXPECT_NEAR(p[5], 1.0 / 100.0, 1e-9);
    EXPECT_NEAR(p[10], -2.0 / (200.0 - 0.1), 1e-6);
    EXPECT_EQ(view->m_vCamera.z, 100.0f);
    EXPECT_EQ(view->m_TextOverlay.Size, 16);
}

}  // namespace
