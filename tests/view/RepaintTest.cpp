// The view's speed tricks may not change a pixel: its line batches and display lists, and its
// frames that redraw only what changed, light exactly what a whole frame drawn the plain way
// (PlainScene.h) lights. And it draws a frame only when the picture would change.
#include "PlainScene.h"

#include "support/GlFixture.h"
#include "support/TestBackend.h"

#include "app/TrackwrightApp.h"
#include "edit/CourseEditor.h"
#include "framework/CFrameWnd.h"
#include "geometry/HandlePicking.h"
#include "res/Resource.h"

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct ScaledWndHost : TestWndHost {
    double GetDevicePixelRatio() const override { return ratio; }
    double ratio = 1.0;
};

// A view of 640 x 480 logical pixels that keeps its picture, in a main window 500 high, on a
// screen of the ratio given (at 1.5 regions, type list and label are in device pixels).
class Repaint : public GlFixture, public testing::WithParamInterface<double> {
protected:
    void SetUp() override
    {
        GlFixture::SetUp();
        host.ratio = GetParam();
        Resize(static_cast<int>(640 * host.ratio), static_cast<int>(480 * host.ratio));
        host.client = CRect(0, 0, 640, 480);
        host.keepsFrame = true;
        doc.OnNewDocument();
        view.SetHost(&host);
        view.SetEditInput(std::make_unique<CourseEditor>(view));
        doc.AddView(&view);
        view.OnCreate();
        view.OnSize(0, 640, 480);
        backend.frameHost.client = CRect(0, 0, 640, 500);
        frame.SetHost(&backend.frameHost);
        app.m_pMainWnd = &frame;
    }
    void TearDown() override
    {
        app.m_pMainWnd = nullptr;
        view.OnDestroy();
        doc.RemoveView(&view);
    }

    // Client pixel (logical) of a world point; of a far-off or odd part far outside, not an int overflow.
    CPoint ClientOf(const Vector3& p) const
    {
        const double unit = view.m_fZoom * 480 / 200.0;
        const auto pixel = [](double v) { return static_cast<int>(std::fmax(-1e9, std::fmin(1e9, std::floor(v)))); };
        return CPoint(pixel(320 + (p.x - view.m_vCamera.x) * unit), pixel(240 - (p.y - view.m_vCamera.y) * unit));
    }

    CTrackwrightApp app;
    TestBackend backend;
    ScaledWndHost host;
    CTrackwrightDoc doc;
    CTrackwrightView view{std::string(TW_SOURCE_DIR) + "/res/"};   // the shipped catalogue and font
    CFrameWnd frame;
};

// Long random runs of what a user does, each frame drawn by the view into the picture it keeps
// and compared with the same scene drawn whole the plain way in a second context.
TEST_P(Repaint, EveryFrameEqualsAWholePlainFrame)
{
    EglContext plain;
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    ASSERT_TRUE(plain.Create(Width(), Height(), &m_gl));   // shares the map and font textures
    glViewport(0, 0, Width(), Height());
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection);
    glMatrixMode(GL_MODELVIEW);
    ASSERT_TRUE(m_gl.MakeCurrent());

    std::mt19937 rng(GetParam() == 1.0 ? 16 : 10);
    auto U = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto I = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    RecordList<CourseHandle>& handles = doc.m_course.m_handles;
    RecordList<XObject>& objects = doc.m_xobjects;

    // A new course and objects, as opening a file brings them: zero, corner and smooth tangents,
    // a few parts off the ground, sometimes a map and a zoomed camera, sometimes objects with no
    // course (they take the map's grey, and a label leaves those after it in its own colour). The
    // first scene has enough to work on.
    auto newScene = [&](bool first) {
        doc.DeleteContents();
        const int n = !first && I(0, 5) == 0 ? 0 : I(first ? 40 : 1, 100);
        const double radius = U(60, 90);
        for (int i = 0; i < n; ++i) {
            const double a = 6.2831853 * i / n + U(-0.05, 0.05);
            CourseHandle h;
            h.vPos = Vector3(radius * std::cos(a) + U(-5, 5), 0.8 * radius * std::sin(a) + U(-5, 5),
                             I(0, 9) == 0 ? U(-1, 1) : 0.0);
            const int kind = I(0, 4);
            h.vTanNext = kind == 0 ? Vector3() : Vector3(-20 * std::sin(a), 20 * std::cos(a), 0) * U(0.2, 1.5);
            h.vTanPrev = kind == 1 ? Vector3(U(-20, 20), U(-20, 20), 0) : -h.vTanNext;
            h.WidthLeft = static_cast<float>(U(0, 9));
            h.WidthRight = static_cast<float>(U(0, 9));
            handles.Add(h);
        }
        // A name's colour escape is left current for the objects drawn after its label.
        const char* const names[] = {"tree_pine.x", "grandstand.x", "\\c(0 255 0)flag.x"};
        for (int i = I(first ? 60 : 0, 100); i > 0; --i)
            objects.Add(XObject(names[I(0, 2)],
                                Vector3(U(-110, 110), U(-90, 90), I(0, 9) == 0 ? U(-1, 1) : 0.0),
                                static_cast<float>(U(-7, 7)), static_cast<float>(U(1, 8)),
                                static_cast<float>(U(1, 8))));
        if (I(0, 3) == 0) {
            ASSERT_TRUE(doc.m_course.LoadMapTexture(std::string(TW_SOURCE_DIR) + "/samples/hills.bmp"));
        }
        view.m_fZoom = first || I(0, 2) != 0 ? 1.0f : static_cast<float>(U(0.3, 5));
        view.m_vCamera = Vector3(U(-30, 30), U(-30, 30), view.m_vCamera.z);
        doc.UpdateAllViews(nullptr);
    };
    newScene(true);

    // A point on or near something to hover or grab, in client pixels.
    auto nearPart = [&]() {
        Vector3 p(U(-120, 120), U(-95, 95), 0.0);
        if (I(0, 3) != 0 && handles.GetSize() > 0) {
            const CourseHandle& h = handles[I(0, handles.GetSize() - 1)];
            const Vector3 spots[] = {h.vPos, h.vPos + h.vTanNext * kTangentTipScale,
                                     h.vPos + h.BorderOffset(BorderSide::Left, h.WidthLeft),
                                     h.vPos + h.BorderOffset(BorderSide::Right, h.WidthRight)};
            p = spots[I(0, 3)];
        } else if (I(0, 1) == 0 && objects.GetSize() > 0) {
            const XObject& o = objects[I(0, objects.GetSize() - 1)];
            p = I(0, 2) == 0 ? o.DirectionTip() : o.Pos;
        }
        return ClientOf(p + Vector3(U(-1, 1), U(-1, 1), 0));
    };
    // Exactly on a control point's marker or an object's body: a click there selects it. With a selection,
    // on a selected part when asked: the view still draws the selection there.
    auto onPart = [&](bool selected) {
        const CourseSelection& sel = view.GetEditInput()->Selection();
        if (selected && sel.handleCount == handles.GetSize() && sel.objectCount == objects.GetSize() && !sel.Empty()) {
            const std::size_t k = static_cast<std::size_t>(I(0, sel.Size() - 1));
            return ClientOf(k < sel.handles.size() ? handles[sel.handles[k]].vPos
                                                   : objects[sel.objects[k - sel.handles.size()]].Pos);
        }
        if (handles.GetSize() > 0 && (I(0, 1) == 0 || objects.GetSize() == 0))
            return ClientOf(handles[I(0, handles.GetSize() - 1)].vPos);
        return objects.GetSize() > 0 ? ClientOf(objects[I(0, objects.GetSize() - 1)].Pos) : nearPart();
    };
    // The label follows the system's cursor.
    auto moveTo = [&](CPoint p, UINT flags) {
        backend.frameHost.cursor = host.cursor = p;   // the label follows the system's cursor
        view.OnMouseMove(flags, p);
    };

    // Draws the view's frame and the plain one: not a pixel may differ. A paint the window
    // system asks for with nothing changed draws nothing.
    auto check = [&](const char* when) {
        view.RenderScene();
        const std::vector<uint8_t> kept = m_gl.ReadRgba();
        ASSERT_TRUE(plain.MakeCurrent());
        DrawPlainScene(doc, view, backend.frameHost.cursor, backend.frameHost.client.bottom);
        const std::vector<uint8_t> whole = plain.ReadRgba();
        ASSERT_TRUE(m_gl.MakeCurrent());
        EXPECT_TRUE(kept == whole) << when;
        const int drawn = view.m_nFrameCount;
        view.RenderScene();
        EXPECT_EQ(view.m_nFrameCount, drawn) << when;
    };
    // A press at p with keys held, moves of up to reach pixels each compared, and the release.
    auto gesture = [&](CPoint p, UINT keys, int moves, int reach) {
        moveTo(p, keys);
        view.OnLButtonDown(MK_LBUTTON | keys, p);
        for (int k = moves; k > 0; --k) {
            p = CPoint(p.x + I(-reach, reach), p.y + I(-reach, reach));
            moveTo(p, MK_LBUTTON | keys);
            check("during a drag");
        }
        view.OnLButtonUp(keys, p);
    };

    // The kinds of change, each with its share of the steps.
    const struct Change {
        int share;
        std::function<void()> make;
    } changes[] = {
        {30, [&] {   // hover; the same point again changes nothing and asks for no frame
             const CPoint p = nearPart();
             moveTo(p, 0);
             check("hover");
             const int asked = host.invalidations;
             moveTo(p, 0);
             EXPECT_EQ(host.invalidations, asked);
         }},
        {14, [&] { gesture(nearPart(), 0, I(1, 4), 15); }},   // a drag of whatever is there
        {6, [&] {   // Ctrl+click: a control point on a span, or an object of a chosen type
             view.m_nSelectedType = I(-1, 1);
             gesture(nearPart(), MK_CONTROL, 0, 0);
         }},
        {8, [&] { gesture(onPart(false), I(0, 2) == 0 ? MK_SHIFT : 0, 0, 0); }},   // click selects, Shift toggles
        // A rubber band from anywhere (on a selected part a group drag), a group drag.
        {5, [&] { gesture(nearPart(), I(0, 2) == 0 ? MK_SHIFT : 0, I(1, 5), 40); }},
        {5, [&] { gesture(onPart(true), 0, I(1, 5), 40); }},
        {9, [&] {   // a key under the cursor: DEL (twice as often), Esc, or an arrow nudging the selection
             moveTo(nearPart(), 0);
             const UINT key = std::array{VK_DELETE, VK_DELETE, VK_ESCAPE, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN}[I(0, 6)];
             view.OnKeyDown(key, 1, 0);
             view.OnKeyUp(key, 1, 0);
         }},
        {5, [&] {   // settings
             doc.m_xobjectScale = I(0, 1) ? 0.4f : static_cast<float>(U(0.2, 1.5));
             doc.m_course.m_texLuminance = I(0, 2) ? doc.m_course.m_texLuminance : static_cast<float>(U(0, 1));
             doc.UpdateAllViews(nullptr);
         }},
        {3, [&] { view.OnMouseWheel(0, static_cast<short>(I(0, 1) ? 120 : -120), nearPart()); }},   // zoom
        {2, [&] {   // a right drag moves the camera
             const CPoint p = nearPart();
             view.OnRButtonDown(MK_RBUTTON, p);
             moveTo(CPoint(p.x + I(-30, 30), p.y + I(-30, 30)), MK_RBUTTON);
             view.OnRButtonUp(0, p);
         }},
        {5, [&] { moveTo(CPoint(I(1, 120), I(0, 60)), 0); }},   // over the type list
        {3, [&] {   // a value from a hostile file: far away, or not a number at all
             const float odd[] = {1e30f, -1e30f, std::nanf(""), 3e38f};
             if (handles.GetSize() > 0)
                 handles[I(0, handles.GetSize() - 1)].vTanNext.x = odd[I(0, 3)];
         }},
        {4, [&] { doc.OnCmdMsg(I(0, 2) == 0 ? ID_EDIT_REDO : ID_EDIT_UNDO, CN_COMMAND, nullptr); }},
        {2, [&] { newScene(false); }},
    };
    // Weight k is the share of change k (the weight function is asked at k + 0.5).
    std::vector<int> shares;
    for (const Change& c : changes)
        shares.push_back(c.share);
    std::discrete_distribution<std::size_t> pick(shares.begin(), shares.end());
    for (int step = 0; step < (GetParam() == 1.0 ? 400 : 100) && !HasFailure(); ++step) {
        const std::size_t op = pick(rng);
        SCOPED_TRACE("step " + std::to_string(step) + ", change " + std::to_string(op));
        changes[op].make();
        check("after it");
    }
    // Most frames redrew only what changed; the test would prove little otherwise.
    EXPECT_LT(view.m_nWholeFrameCount, view.m_nFrameCount / 2) << view.m_nFrameCount << " frames";
}

INSTANTIATE_TEST_SUITE_P(ScreenRatios, Repaint, testing::Values(1.0, 1.5));

}  // namespace
