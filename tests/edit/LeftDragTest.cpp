#include "EditView.h"

#include "geometry/HandlePicking.h"

#include <functional>
#include <numbers>

namespace {

class LeftDrag : public EditView {
protected:
    XObject& O() { return doc.m_xobjects[0]; }
};

// Like the system: releasing a held capture tells the window at once that it lost it.
class NotifyingHost : public TestWndHost {
public:
    void ReleaseCapture() override
    {
        const bool had = capture;
        capture = false;
        ++releases;
        if (had && pView)
            pView->OnCaptureChanged(nullptr);
    }
    CView* pView = nullptr;
    int releases = 0;
};


// Each drag kind, grabbed a little off its marker: the grab offset carries, the part's numbers follow.
TEST_F(LeftDrag, EachDragKindMovesItsOwnNumbers)
{
    struct Case { const char* what; CPoint from, to; std::function<std::vector<float>()> read; std::vector<float> want; };
    const Case cases[] = {
        {"control point", Px(1, 0), Px(11, 10), [&] { return std::vector{H(0).vPos.x, H(0).vPos.y}; }, {10, 10}},
        {"tangent tip", Px(13, 1), Px(13, 7), [&] { return std::vector{H(0).vTanNext.x, H(0).vTanNext.y}; },
         {60, 30}},
        {"incoming tangent tip", Px(0, -13), Px(6, -12), [&] { return std::vector{H(0).vTanPrev.x, H(0).vTanPrev.y}; },
         {30, -55}},
        {"width marker", Px(65, 0), Px(66, 8), [&] { return std::vector{H(1).WidthRight, H(1).WidthLeft}; }, {10, 5}},
        {"object body", Px(31, -30), Px(41, -20), [&] { return std::vector{O().Pos.x, O().Pos.y, O().Direction}; },
         {40, -20, 0}},
        {"object arrow tip", Px(30, -20), Px(40, -30), [&] { return std::vector{O().Pos.x, O().Direction}; },
         {30, static_cast<float>(std::numbers::pi / 2)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UseSquare(), doc.m_xobjects.SetSize(0);
        H(1).vTanPrev = Vector3(0, 60, 0);   // smooth: its right marker lies at (65, 0)
        AddXObject(doc.m_xobjects, Vector3(30, -30, 0), "a.x", 1.0f, 1.0f);
        doc.SetModifiedFlag(false);
        Drag(c.from, c.to);
        const std::vector<float> got = c.read();
        ASSERT_EQ(got.size(), c.want.size());
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], c.want[i], 1e-4) << i;
        EXPECT_TRUE(doc.IsModified());
    }
}

TEST_F(LeftDrag, ReleaseOrCaptureLossEndsTheDragButNotOwnCapture)
{
    UseSquare();
    Down(Px(0, 0));
    view.OnCaptureChanged(&view);   // the view taking the capture itself changes nothing
    EXPECT_EQ(std::pair(view.m_bLButtonDown, H(0).DragPart), std::pair(true, HandlePart::Pos));
    CView other;
    view.OnCaptureChanged(&other);
    EXPECT_EQ(std::pair(view.m_bLButtonDown, H(0).DragPart), std::pair(false, HandlePart::None));
    Move(Px(10, 10), MK_LBUTTON);
    EXPECT_EQ(H(0).vPos, Vector3(0.0, 0.0, 0.0));

    // After a normal release nothing follows either, and the hover resumes.
    Down(Px(0, 0)), Up(Px(0, 0));
    view.OnCaptureChanged(nullptr);   // the release's own notification: harmless twice
    Move(Px(0, 1));
    EXPECT_EQ(std::pair(H(0).vPos, H(0).HoverPart), std::pair(Vector3(0.0, 0.0, 0.0), HandlePart::Pos));
}

TEST_F(LeftDrag, ButtonUpSurvivesTheCaptureNotificationOfItsOwnRelease)
{
    UseSquare();
    NotifyingHost host;
    host.pView = &view;
    view.SetHost(&host);
    Drag(Px(0, 0), Px(5, 0));
    EXPECT_FALSE(view.m_bLButtonDown || host.capture);
    EXPECT_LE(host.releases, 2);
    EXPECT_EQ(H(0).DragPart, HandlePart::None);
    Move(Px(10, 0));
    EXPECT_NEAR(H(0).vPos.x, 5.0f, 1e-4);
    view.SetHost(&backend.viewHost);
}

}  // namespace
