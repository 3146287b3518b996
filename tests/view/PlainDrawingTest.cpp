// The view's fast line batching and display lists may not change a pixel: random scenes drawn by
// the view and the plain way (PlainScene.h) must match byte for byte.
#include "PlainScene.h"
#include "ViewScene.h"

#include "geometry/CourseSpline.h"
#include "view/DrawHelpers.h"

#include <GL/gl.h>

#include <random>
#include <utility>
#include <string>
#include <vector>

namespace {

class PlainDrawing : public ViewScene {
protected:
    void SetUp() override
    {
        ViewScene::SetUp();
        Open(640, 480);
        frameHost.client = CRect(0, 0, 640, 500);
        frame.SetHost(&frameHost);
    }

    void PlainScene() { DrawPlainScene(doc, *view, frameHost.cursor, frameHost.client.bottom); }

    std::vector<uint8_t> Frame() { return m_gl.ReadRgba(); }

    TestWndHost frameHost;
    CFrameWnd frame;
};

TEST_F(PlainDrawing, RandomScenesLightTheSamePixels)
{
    std::mt19937 rng(20261206);
    auto U = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto I = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    const std::string map = std::string(TW_SOURCE_DIR) + "/samples/hills.bmp";
    for (int scene = 0; scene < 24; ++scene) {
        doc.m_course.m_handles.SetSize(0);
        doc.m_xobjects.RemoveAll();
        // Scene 0 has no course: objects take the map's grey.
        const int handles = scene == 0 ? 0 : I(1, 150);
        const double radius = U(10, 140);
        for (int i = 0; i < handles; ++i) {
            const double a = 6.2831853 * i / handles + U(-0.2, 0.2);
            CourseHandle h;
            h.vPos = Vector3(radius * std::cos(a) + U(-8, 8), radius * std::sin(a) + U(-8, 8),
                             I(0, 7) == 0 ? U(-2, 2) : 0.0);
            const double t = U(0, 50);
            const int kind = I(0, 4);   // smooth, corner, or a zero tangent
            h.vTanNext = kind == 0 ? Vector3(0, 0, 0) : Vector3(-t * std::sin(a) + U(-15, 15), t * std::cos(a), 0);
            h.vTanPrev = kind == 1 ? Vector3(U(-30, 30), U(-30, 30), 0) : -h.vTanNext;
            h.WidthLeft = static_cast<float>(U(0, 12));
            h.WidthRight = static_cast<float>(U(0, 12));
            if (I(0, 10) == 0)
                h.HoverPart = static_cast<HandlePart>(I(1, 6));
            doc.m_course.m_handles.Add(h);
        }
        const int objects = I(0, 150);
        for (int i = 0; i < objects; ++i) {
            XObject o("obj" + std::to_string(i) + ".x", Vector3(U(-170, 170), U(-120, 120), I(0, 7) == 0 ? U(-2, 2) : 0.0),
                      static_cast<float>(U(-7, 7)), static_cast<float>(U(0.5, 20)), static_cast<float>(U(0.5, 20)));
            if (I(0, 25) == 0)
                o.HoverPart = static_cast<ObjectPart>(I(1, 2));
            doc.m_xobjects.Add(o);
        }
        doc.m_xobjectScale = I(0, 2) == 0 ? static_cast<float>(U(0.1, 2)) : 0.4f;
        doc.m_course.m_texLuminance = static_cast<float>(U(0, 1));
        if (scene % 4 == 1) {
            ASSERT_TRUE(doc.m_course.LoadMapTexture(map));
        }
        view->m_fZoom = scene % 3 == 0 ? static_cast<float>(U(0.3, 5)) : 1.0f;
        view->m_vCamera.x = static_cast<float>(U(-40, 40));
        view->m_vCamera.y = static_cast<float>(U(-40, 40));
        frameHost.cursor = CPoint(I(0, 640), I(0, 480));
        app.m_pMainWnd = &frame;

        PlainScene();
        const std::vector<uint8_t> plain = Frame();
        // Three whole frames: the runs sent as they are, then compiled and replayed, then replayed.
        for (int pass = 0; pass < 3; ++pass) {
            Render();
            const std::vector<uint8_t> fast = Frame();
            std::size_t differing = 0;
            for (std::size_t k = 0; k < fast.size(); k += 4)
                differing += fast[k] != plain[k] || fast[k + 1] != plain[k + 1] || fast[k + 2] != plain[k + 2];
            EXPECT_EQ(differing, 0u) << "scene " << scene << ", pass " << pass << ": " << handles << " handles, "
                                     << objects << " objects";
        }
        app.m_pMainWnd = nullptr;
    }
}

}  // namespace
