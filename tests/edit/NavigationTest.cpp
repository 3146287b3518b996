#include "EditView.h"

namespace {

using Navigation = EditView;

float ZoomedSteps(float zoom, float factor, int steps)
{
    for (int i = 0; i < steps; ++i)
        zoom = zoom * factor;
    return zoom;
}

TEST_F(Navigation, RightOrMiddleDragPansSoThePictureFollowsThePointer)
{
    view.OnRButtonDown(MK_RBUTTON, CPoint(400, 300));
    Move(CPoint(700, 300), MK_RBUTTON);
    EXPECT_FLOAT_EQ(view.m_vCamera.x, -100.0f);
    EXPECT_FLOAT_EQ(view.m_vCamera.y, 0.0f);
    Move(CPoint(700, 600), MK_RBUTTON);
    EXPECT_FLOAT_EQ(view.m_vCamera.y, 100.0f);
    EXPECT_EQ(view.m_ptLast, CPoint(700, 600));
    view.OnRButtonUp(0, CPoint(700, 600));
    EXPECT_EQ(view.m_fZoom, 1.0f);
    EXPECT_EQ(view.m_vCamera.z, 100.0f);

    view.m_vCamera = Vector3(0.0, 0.0, 100.0);
    view.m_fZoom = 2.0f;
    view.OnMButtonDown(MK_MBUTTON, CPoint(100, 100));
    Move(CPoint(400, 100), MK_MBUTTON);
    EXPECT_FLOAT_EQ(view.m_vCamera.x, -50.0f);
    view.OnMButtonUp(0, CPoint(400, 100));
    Move(CPoint(600, 100));
    EXPECT_FLOAT_EQ(view.m_vCamera.x, -50.0f);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(Navigation, ShiftDragZoomsByOnePercentPerPixelAndIgnoresSideways)
{
    view.OnRButtonDown(MK_RBUTTON, CPoint(300, 300));
    Move(CPoint(300, 290), MK_RBUTTON | MK_SHIFT);
    EXPECT_EQ(view.m_fZoom, ZoomedSteps(1.0f, 0.99f, 10));
    EXPECT_NEAR(view.m_fZoom, 0.904, 1e-3);
    Move(CPoint(300, 300), MK_RBUTTON | MK_SHIFT);
    EXPECT_EQ(view.m_fZoom, ZoomedSteps(ZoomedSteps(1.0f, 0.99f, 10), 1.01f, 10));
    const float zoom = view.m_fZoom;
    Move(CPoint(500, 300), MK_RBUTTON | MK_SHIFT);
    EXPECT_EQ(view.m_fZoom, zoom);
    EXPECT_EQ(view.m_vCamera, Vector3(0.0, 0.0, 100.0));
    // Letting go of Shift pans from the last point, without a jump.
    Move(CPoint(503, 300), MK_RBUTTON);
    EXPECT_NEAR(view.m_vCamera.x, -1.0f / zoom, 1e-5);
    view.OnRButtonUp(0, CPoint(503, 300));

    view.m_fZoom = 1.0f;
    view.OnMButtonDown(MK_MBUTTON, CPoint(300, 300));
    Move(CPoint(300, 310), MK_MBUTTON | MK_SHIFT);
    EXPECT_EQ(view.m_fZoom, ZoomedSteps(1.0f, 1.01f, 10));
    EXPECT_NEAR(view.m_fZoom, 1.105, 1e-3);
}

TEST_F(Navigation, EachWheelMessageIsOneStep)
{
    view.OnMouseWheel(0, -120, CPoint(10, 10));
    EXPECT_EQ(view.m_fZoom, 1.5f);
    view.OnMouseWheel(0, 120, CPoint(10, 10));
    EXPECT_EQ(view.m_fZoom, 1.125f);
    view.m_fZoom = 1.0f;
    view.OnMouseWheel(0, -240, CPoint(10, 10));
    EXPECT_EQ(view.m_fZoom, 1.5f);
    const int invalidations = backend.viewHost.invalidations;
    view.OnMouseWheel(0, 0, CPoint(10, 10));
    EXPECT_EQ(view.m_fZoom, 1.5f);
    EXPECT_EQ(backend.viewHost.invalidations, invalidations);
    view.OnMouseWheel(0, 1, CPoint(10, 10));
    EXPECT_EQ(view.m_fZoom, 1.125f);
}

}  // namespace
