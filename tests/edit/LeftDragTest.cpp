#include "EditView.h"

#include "geometry/HandlePicking.h"

#include <functional>
#include <numbers>

namespace {

using LeftDrag = EditView;

// Like the system: releasing a held capture tells the window at once that it lost it.
class NotifyingHost : public TestWndHost {
public:
    void ReleaseCapture() override
    {
        const bool had = capture;
        capture = false;
        if (had && pView)
            pView->OnCaptureChanged(nullptr);
    }
    CView* pView = nullptr;
};

// Each drag kind, grabbed a little off its marker: the grab offset carries, the part's numbers follow.
TEST_F(LeftDrag, EachDragKindMovesItsOwnNumbers)
{
    const auto O = [this]() -> XObject& { return doc.m_xobjects[0]; };
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

// Losing the capture to another window ends the drag; the view's own capture and the notification
// its own release sends (as the system does, from inside ReleaseCapture) change nothing.
TEST_F(LeftDrag, OnlyACaptureLostToAnotherWindowEndsTheDrag)
{
    UseSquare();
    NotifyingHost host;
    host.pView = &view;
    view.SetHost(&host);
    Down(Px(0, 0));
    view.OnCaptureChanged(&view);
    EXPECT_EQ(std::pair(view.m_bLButtonDown, H(0).DragPart), std::pair(true, HandlePart::Pos));
    CView other;
    view.OnCaptureChanged(&other);
    EXPECT_EQ(std::pair(view.m_bLButtonDown, H(0).DragPart), std::pair(false, HandlePart::None));
    Move(Px(10, 10), MK_LBUTTON);
    EXPECT_EQ(H(0).vPos, Vector3(0.0, 0.0, 0.0));

    Drag(Px(0, 0), Px(5, 0));
    EXPECT_FALSE(view.m_bLButtonDown || host.capture);
    EXPECT_EQ(H(0).DragPart, HandlePart::None);
    Move(Px(5, 1));   // nothing follows, the hover resumes
    EXPECT_EQ(std::pair(H(0).vPos.y, H(0).HoverPart), std::pair(0.0f, HandlePart::Pos));
    view.SetHost(&backend.viewHost);
}

}  // namespace
