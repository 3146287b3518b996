// The camera arithmetic: client pixel to world and back, zoom, the type list's rows, and
// what a resize does to viewport, projection and repainting.
#include "ViewScene.h"

#include <GL/gl.h>

#include "res/Resource.h"

#include <algorithm>
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

TEST(ViewCamera, ZoomStaysWithinLimitsAndShowAllFramesTheCourse)
{
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CTrackwrightView v;
    doc.AddView(&v);
    SetClient(v, 640, 480);

    // 400 steps out once made the zoom 0, and nothing ever showed again.
    for (int i = 0; i < 400; ++i)
        v.OnMouseWheel(0, 120, CPoint(320, 240));
    EXPECT_EQ(v.m_fZoom, CTrackwrightView::kMinZoom);
    for (int i = 0; i < 800; ++i)
        v.OnMouseWheel(0, -120, CPoint(320, 240));
    EXPECT_EQ(v.m_fZoom, CTrackwrightView::kMaxZoom);

    // Show all: every handle (with its width) and object inside the client, the farthest
    // near an edge; points that are not finite are left out.
    doc.m_course.m_handles[0].vPos = Vector3(5000.0, -300.0, 0.0);
    doc.m_course.m_handles[1].vPos = Vector3(INFINITY, 0.0, 0.0);
    doc.m_xobjects.Add(XObject("tree", Vector3(-800.0, 900.0, 0.0), 0.0f, 10.0f, 10.0f));
    ASSERT_TRUE(v.OnCmdMsg(ID_VIEW_SHOWALL, CN_COMMAND, nullptr));
    ASSERT_TRUE(std::isfinite(v.m_vCamera.x) && std::isfinite(v.m_vCamera.y));
    double reach = 0.0;
    auto check = [&](double x, double y) {
        double px = 0;
        double py = 0;
        WorldToClient(v, x, y, px, py);
        EXPECT_TRUE(px >= 0 && px <= 640 && py >= 0 && py <= 480) << x << "," << y;
        reach = std::max({reach, std::fabs(px - 320) / 320, std::fabs(py - 240) / 240});
    };
    for (int i = 0; i < doc.m_course.m_handles.GetSize(); ++i) {
        const CourseHandle& h = doc.m_course.m_handles[i];
        if (std::isfinite(h.vPos.x))
            check(h.vPos.x + h.WidthRight, h.vPos.y - h.WidthRight);
    }
    check(-805.0, 905.0);
    EXPECT_GT(reach, 0.8);

    // Nothing to show: the camera stays.
    doc.m_course.m_handles.RemoveAll();
    doc.m_xobjects.RemoveAll();
    const Vector3 camera = v.m_vCamera;
    v.OnViewShowAll();
    EXPECT_EQ(v.m_vCamera.x, camera.x);
    doc.RemoveView(&v);
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
