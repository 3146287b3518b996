// The camera arithmetic: client pixel to world and back, zoom, the type list's rows, and
// what a resize does to viewport, projection and repainting.
#include "ViewScene.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// World point to client pixel, as the drawing places it.
void WorldToClient(const CTrackwrightView& v, double x, double y, double& px, double& py)
{
    const double W = v.m_rectClient.right;
    const double H = v.m_rectClient.bottom;
    px = W / 2 + (x - v.m_vCamera.x) * v.m_fZoom * H / 200.0;
    py = H / 2 - (y - v.m_vCamera.y) * v.m_fZoom * H / 200.0;
}

// The state OnCreate and OnSize leave, without a window.
void SetClient(CTrackwrightView& v, int w, int h)
{
    v.m_rectClient = CRect(0, 0, w, h);
    v.m_TextOverlay.Size = 16;
}

TEST(ViewCamera, ScreenToWorldIsTheInverseOfTheDrawing)
{
    CTrackwrightView v;
    SetClient(v, 640, 480);
    v.m_vCamera = Vector3(12.5, -40.25, 100.0);
    v.m_fZoom = 1.7f;

    const Vector3 centre = v.ScreenToWorld(320, 240);
    EXPECT_EQ(centre.x, 12.5f);
    EXPECT_EQ(centre.y, -40.25f);
    EXPECT_EQ(centre.z, 0.0f);
    EXPECT_EQ(centre.w, 1.0f);

    for (const auto& [px, py] : {std::pair{0, 0}, {639, 479}, {17, 300}, {500, 3}}) {
        const Vector3 w = v.ScreenToWorld(px, py);
        double bx = 0;
        double by = 0;
        WorldToClient(v, w.x, w.y, bx, by);
        EXPECT_NEAR(bx, px, 1e-3) << px << "," << py;
        EXPECT_NEAR(by, py, 1e-3) << px << "," << py;
    }
}

TEST(ViewCamera, TypeListRowsAreSixteenPixelsAndAsWideAsTheirText)
{
    CTrackwrightView v;
    SetClient(v, 640, 480);
    v.m_XObjectTypes.RemoveAll();
    EXPECT_EQ(v.HitTestTypeList(0, 5), -2);   // x must be greater than 0
    EXPECT_EQ(v.HitTestTypeList(8, 5), -1);
    EXPECT_EQ(v.HitTestTypeList(127, 5), -1);
    EXPECT_EQ(v.HitTestTypeList(128, 5), -2);  // (7 + 1) * 16
    EXPECT_EQ(v.HitTestTypeList(8, 15), -1);
    EXPECT_EQ(v.HitTestTypeList(8, 16), -2);   // only the "CtrlPnt" row exists
    EXPECT_EQ(v.HitTestTypeList(8, -1), -2);

    // An entry with an empty name is still one mark wide.
    v.m_XObjectTypes.Add(XObjectType{"", 1.0f, 1.0f});
    v.m_XObjectTypes.Add(XObjectType{"abc", 1.0f, 1.0f});
    EXPECT_EQ(v.HitTestTypeList(8, 16), 0);
    EXPECT_EQ(v.HitTestTypeList(16, 16), -2);
    EXPECT_EQ(v.HitTestTypeList(63, 47), 1);   // (3 + 1) * 16 = 64
    EXPECT_EQ(v.HitTestTypeList(64, 47), -2);
    EXPECT_EQ(v.HitTestTypeList(8, 48), -2);
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
    EXPECT_EQ(view->m_rectClient.right, 640);
    EXPECT_EQ(view->m_rectClient.bottom, 480);
    EXPECT_EQ(view->m_vCamera.z, 100.0f);
    EXPECT_EQ(view->m_TextOverlay.Size, 16);
}

}  // namespace
