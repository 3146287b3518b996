// The camera arithmetic: client pixel to world and back, the type list's rows, and what a
// resize does to viewport and projection.
#include "ViewScene.h"

#include <GL/gl.h>

#include "res/Resource.h"

#include <algorithm>
#include <cmath>

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

TEST(ViewCamera, ZoomStaysWithinLimitsAndShowAllFramesTheCourse)
{
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CTrackwrightView v;
    doc.AddView(&v);
    v.m_rectClient = CRect(0, 0, 640, 480);

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
        const double unit = v.m_fZoom * 480 / 200.0;   // pixels per course unit
        const double px = 320 + (x - v.m_vCamera.x) * unit;
        const double py = 240 - (y - v.m_vCamera.y) * unit;
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
    EXPECT_EQ(view->m_vCamera.z, 100.0f);
    EXPECT_EQ(view->m_TextOverlay.Size, 16);
}

}  // namespace
