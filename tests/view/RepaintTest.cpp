// The view draws a frame only when the picture would change, and a frame that redraws only
// what changed lights exactly the pixels a whole frame would.
#include "PlainScene.h"
#include "ViewScene.h"

#include "framework/egl/EglContext.h"
#include "geometry/HandlePicking.h"
#include "geometry/XObjectQueries.h"
#include "res/Resource.h"

#include <GL/gl.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

class Repaint : public ViewScene {
protected:
    void SetUp() override
    {
        ViewScene::SetUp();
        Open(640, 480, screenRatio);
        host.keepsFrame = true;
        UseRectangleCourse();
        frameHost.client = CRect(0, 0, 640, 500);
        frame.SetHost(&frameHost);
        app.m_pMainWnd = &frame;
    }
    void TearDown() override
    {
        app.m_pMainWnd = nullptr;
        ViewScene::TearDown();
    }

    // Client pixel (logical) of world point (x, y).
    CPoint ClientOf(double x, double y) const
    {
        const double W = view->m_rectClient.right;
        const double H = view->m_rectClient.bottom;
        const double unit = view->m_fZoom * H / 200.0;
        // A far-off or odd part gives a pointer far outside the window, not an int overflow.
        const auto pixel = [](double v) { return static_cast<int>(std::fmax(-1e9, std::fmin(1e9, std::floor(v)))); };
        return CPoint(pixel(W / 2 + (x - view->m_vCamera.x) * unit), pixel(H / 2 - (y - view->m_vCamera.y) * unit));
    }

    void RunRandomSequence(unsigned seed, int steps);

    double screenRatio = 1.0;
    TestWndHost frameHost;
    CFrameWnd frame;
};

// The same on a screen of ratio 1.5: regions, type list and label in device pixels.
class RepaintHighDpi : public Repaint {
public:
    RepaintHighDpi() { screenRatio = 1.5; }
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

TEST(ScreenRegion, BoxesBecomePixelsWithoutOverflowAndRegionsMerge)
{
    WorldToPixels map;
    map.originX = 320;
    map.originY = 240;
    map.scaleX = map.scaleY = 2.0;
    map.viewport = {0, 0, 640, 480};
    struct Case {
        Vector3 a, b;
        PixelRect expected;
    } cases[] = {
        {Vector3(0, 0, 0), Vector3(10, 5, 0), {318, 238, 343, 253}},   // lines spread two pixels
        {Vector3(1e30, 0, 0), Vector3(2e30, 1, 0), {}},                   // far off: nothing, no overflow
        {Vector3(-1e30, -1e30, 0), Vector3(1e30, 1e30, 0), {0, 0, 640, 480}},
        {Vector3(std::nan(""), 0, 0), Vector3(0, 0, 0), {0, 0, 640, 480}},   // unknown: everywhere
    };
    for (const Case& c : cases) {
        WorldBox box;
        box.Add(c.a, 0.0);
        box.Add(c.b, 0.0);
        const PixelRect r = PixelsOf(box, map);
        EXPECT_EQ(std::vector<int>({r.x0, r.y0, r.x1, r.y1}),
                  std::vector<int>({c.expected.x0, c.expected.y0, c.expected.x1, c.expected.y1}));
    }

    std::vector<PixelRect> regions{{10, 10, 20, 20}, {15, 15, 30, 30}, {100, 100, 110, 110}, {-50, -50, -10, -10}};
    EXPECT_TRUE(MergeRegions(regions, map.viewport, 0.5));
    ASSERT_EQ(regions.size(), 2u);   // the overlapping two joined, the one outside dropped
    EXPECT_EQ(std::vector<int>({regions[0].x0, regions[0].y0, regions[0].x1, regions[0].y1}),
              std::vector<int>({10, 10, 30, 30}));
    regions = {{0, 0, 640, 300}};
    EXPECT_FALSE(MergeRegions(regions, map.viewport, 0.5));   // more than half: a whole frame
}

// Long random runs of what a user does (hovering, dragging, inserting, deleting, placing,
// settings, camera moves, the type list, selecting by click and band, group drags, nudges, Esc,
// undo and redo, paste), each frame drawn by the view into the picture it keeps
// and compared with the same scene drawn whole the plain way in a second context.
TEST_F(Repaint, EveryFrameEqualsAWholePlainFrame)
{
    RunRandomSequence(16, 600);
}

TEST_F(RepaintHighDpi, EveryFrameEqualsAWholePlainFrame)
{
    RunRandomSequence(17, 150);
}

void Repaint::RunRandomSequence(unsigned seed, int steps)
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

    std::mt19937 rng(seed);
    auto U = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto I = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    RecordList<CourseHandle>& handles = doc.m_course.m_handles;
    handles.SetSize(0);
    for (int i = 0; i < 40; ++i) {
        const double a = 6.2831853 * i / 40 + U(-0.05, 0.05);
        CourseHandle h;
        h.vPos = Vector3(80 * std::cos(a) + U(-5, 5), 70 * std::sin(a) + U(-5, 5), I(0, 9) == 0 ? U(-1, 1) : 0.0);
        h.vTanNext = Vector3(-20 * std::sin(a), 20 * std::cos(a), 0);
        h.vTanPrev = I(0, 4) == 0 ? Vector3(U(-20, 20), U(-20, 20), 0) : -h.vTanNext;
        h.WidthLeft = static_cast<float>(U(1, 9));
        h.WidthRight = static_cast<float>(U(1, 9));
        handles.Add(h);
    }
    for (int i = 0; i < 60; ++i)
        AddXObject(doc.m_xobjects, Vector3(U(-110, 110), U(-90, 90), 0.0), I(0, 1) ? "tree_pine.x" : "grandstand.x",
                       static_cast<float>(U(1, 8)), static_cast<float>(U(1, 8)));

    // A point on or near something to hover or grab, in client pixels.
    auto nearPart = [&]() {
        Vector3 p(U(-120, 120), U(-95, 95), 0.0);
        if (I(0, 3) != 0 && handles.GetSize() > 0) {
            const CourseHandle& h = handles[I(0, handles.GetSize() - 1)];
            const Vector3 spots[] = {h.vPos, h.vPos + h.vTanNext * kTangentTipScale, h.vPos + h.BorderOffset(BorderSide::Left, h.WidthLeft),
                                     h.vPos + h.BorderOffset(BorderSide::Right, h.WidthRight)};
            p = spots[I(0, 3)];
        } else if (I(0, 1) == 0 && doc.m_xobjects.GetSize() > 0) {
            const XObject& o = doc.m_xobjects[I(0, doc.m_xobjects.GetSize() - 1)];
            p = I(0, 2) == 0 ? o.DirectionTip() : o.Pos;
        }
        return ClientOf(p.x + U(-1, 1), p.y + U(-1, 1));
    };
    // Exactly on a control point's marker or an object's body: a click there selects it.
    auto onPart = [&]() {
        if (I(0, 1) == 0 && handles.GetSize() > 0) {
            const Vector3 q = handles[I(0, handles.GetSize() - 1)].vPos;
            return ClientOf(q.x, q.y);
        }
        if (doc.m_xobjects.GetSize() == 0)
            return nearPart();
        const Vector3 q = doc.m_xobjects[I(0, doc.m_xobjects.GetSize() - 1)].Pos;
        return ClientOf(q.x, q.y);
    };
    // On a selected part, when there is a selection the view still draws.
    auto selectedPart = [&]() {
        const CourseSelection& sel = view->m_selection;
        if (sel.handleCount != handles.GetSize() || sel.objectCount != doc.m_xobjects.GetSize() || sel.Empty())
            return onPart();
        const int k = I(0, sel.Size() - 1);
        const Vector3 q = k < static_cast<int>(sel.handles.size()) ? handles[sel.handles[static_cast<std::size_t>(k)]].vPos
                                                                   : doc.m_xobjects[sel.objects[static_cast<std::size_t>(k) - sel.handles.size()]].Pos;
        return ClientOf(q.x, q.y);
    };
    auto moveTo = [&](CPoint p, UINT flags) {
        frameHost.cursor = p;   // the label follows the system's cursor
        host.cursor = p;
        view->OnMouseMove(flags, p);
    };

    int partial = 0;
    int frames = 0;
    bool selectedEver = false;
    // Draws the view's frame and the plain one; the number of pixels that differ.
    auto compare = [&]() -> std::size_t {
        const int before = view->m_nFrameCount;
        const int wholeBefore = view->m_nWholeFrameCount;
        Render();
        partial += view->m_nFrameCount > before && view->m_nWholeFrameCount == wholeBefore;
        ++frames;
        const std::vector<uint8_t> kept = m_gl.ReadRgba();
        if (!plain.MakeCurrent())
            return kept.size();
        DrawPlainScene(doc, *view, frameHost.cursor, frameHost.client.bottom);
        glFinish();
        const std::vector<uint8_t> whole = plain.ReadRgba();
        if (!m_gl.MakeCurrent())
            return kept.size();
        std::size_t differing = 0;
        for (std::size_t k = 0; k < kept.size(); k += 4)
            differing += kept[k] != whole[k] || kept[k + 1] != whole[k + 1] || kept[k + 2] != whole[k + 2];
        return differing;
    };
    for (int step = 0; step < steps; ++step) {
        // Shares in percent of hover, drag, insert, DEL, settings, camera, type list, odd value,
        // click select, rubber band, group drag, Esc or nudge, undo or redo, copy and paste.
        static constexpr int kShares[] = {30, 14, 6, 5, 5, 5, 5, 3, 8, 5, 5, 4, 4, 1};
        int op = 0;
        for (int roll = I(0, 99); roll >= kShares[op]; ++op)
            roll -= kShares[op];
        switch (op) {
        case 0:   // hover
            moveTo(nearPart(), 0);
            break;
        case 1: {   // drag something a few steps
            CPoint p = nearPart();
            moveTo(p, 0);
            view->OnLButtonDown(MK_LBUTTON, p);
            for (int k = I(1, 4); k > 0; --k) {
                p = CPoint(p.x + I(-15, 15), p.y + I(-15, 15));
                moveTo(p, MK_LBUTTON);
                if (k > 1) {
                    ASSERT_EQ(compare(), 0u) << "step " << step << ", during a drag";
                }
            }
            view->OnLButtonUp(0, p);
            break;
        }
        case 2: {   // Ctrl+click: a control point on a span, or an object of a chosen type
            view->m_nSelectedType = I(-1, 1);
            const CPoint p = nearPart();
            moveTo(p, MK_CONTROL);
            view->OnLButtonDown(MK_LBUTTON | MK_CONTROL, p);
            view->OnLButtonUp(MK_CONTROL, p);
            break;
        }
        case 3:   // DEL under the cursor
            moveTo(nearPart(), 0);
            view->OnKeyDown(VK_DELETE, 1, 0);
            break;
        case 4:   // settings
            doc.m_xobjectScale = I(0, 1) ? 0.4f : static_cast<float>(U(0.2, 1.5));
            if (I(0, 2) == 0)
                doc.m_course.m_texLuminance = static_cast<float>(U(0, 1));
            doc.UpdateAllViews(nullptr);
            break;
        case 5:   // camera: the wheel, or a right drag
            if (I(0, 1) == 0) {
                view->OnMouseWheel(0, static_cast<short>(I(0, 1) ? 120 : -120), nearPart());
            } else {
                const CPoint p = nearPart();
                view->OnRButtonDown(MK_RBUTTON, p);
                moveTo(CPoint(p.x + I(-30, 30), p.y + I(-30, 30)), MK_RBUTTON);
                view->OnRButtonUp(0, p);
            }
            break;
        case 6:   // over the type list
            moveTo(CPoint(I(1, 120), I(0, 60)), 0);
            break;
        case 7:   // a value from a hostile file: far away, or not a number at all
            if (handles.GetSize() > 3) {
                const float odd[] = {1e30f, -1e30f, std::nanf(""), 3e38f};
                handles[I(0, handles.GetSize() - 1)].vTanNext.x = odd[I(0, 3)];
            }
            break;
        case 8: {   // a click on a marker or an object selects it; Shift toggles it
            const CPoint p = onPart();
            const UINT shift = I(0, 2) == 0 ? MK_SHIFT : 0;
            moveTo(p, shift);
            view->OnLButtonDown(MK_LBUTTON | shift, p);
            view->OnLButtonUp(shift, p);
            break;
        }
        case 9:   // a rubber band from anywhere (on a selected part it is a group drag)
        case 10: {   // a drag of the selection from one of its parts
            CPoint p = op == 9 ? nearPart() : selectedPart();
            const UINT shift = op == 9 && I(0, 2) == 0 ? MK_SHIFT : 0;
            moveTo(p, shift);
            view->OnLButtonDown(MK_LBUTTON | shift, p);
            for (int k = I(1, 5); k > 0; --k) {
                p = CPoint(p.x + I(-40, 40), p.y + I(-40, 40));
                moveTo(p, MK_LBUTTON | shift);
                ASSERT_EQ(compare(), 0u) << "step " << step << ", during a band or group drag";
            }
            view->OnLButtonUp(shift, p);
            break;
        }
        case 11: {   // Esc, or a burst of arrow keys nudging the selection
            const UINT keys[] = {VK_ESCAPE, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
            const UINT key = keys[I(0, 4)];
            for (int k = key == VK_ESCAPE ? 1 : I(1, 3); k > 0; --k)
                view->OnKeyDown(key, 1, 0);
            view->OnKeyUp(key, 1, 0);
            break;
        }
        case 12:   // undo or redo of whatever came before
            doc.OnCmdMsg(I(0, 2) == 0 ? ID_EDIT_REDO : ID_EDIT_UNDO, CN_COMMAND, nullptr);
            break;
        default:   // copy the selected objects and paste them at the mouse, selected
            view->OnCmdMsg(ID_EDIT_COPY, CN_COMMAND, nullptr);
            moveTo(nearPart(), 0);
            view->OnCmdMsg(ID_EDIT_PASTE, CN_COMMAND, nullptr);
            break;
        }
        selectedEver = selectedEver || !view->m_selection.Empty();
        ASSERT_EQ(compare(), 0u) << "step " << step << ", op " << op;
    }
    EXPECT_TRUE(selectedEver);
    // Most frames redrew only what changed; the test would prove little otherwise.
    EXPECT_GT(partial, frames / 2) << frames << " frames, " << view->m_nWholeFrameCount << " whole";
}

}  // namespace
