#include "EditView.h"

#include <functional>
#include <tuple>

namespace {

using InsertDelete = EditView;

// A Ctrl click within 2.0 of a span inserts after the span's start handle: on the span, with the
// chord of its neighbours as tangent and their mean widths.
TEST_F(InsertDelete, CtrlClickBesideASpanInsertsAfterItsStartHandle)
{
    H(2).WidthLeft = 4.0f, H(3).WidthLeft = 8.0f, H(2).WidthRight = 1.0f, H(3).WidthRight = 2.0f;
    Down(Px(30, -61.5), MK_CONTROL);   // below the middle of the straight span from handle 2 to 3
    ASSERT_EQ(HandleCount(), 5);
    const CourseHandle& h = H(3);
    EXPECT_EQ(std::pair(h.vPos.y, H(4).vPos), std::pair(-60.0f, Vector3(0.0, -60.0, 0.0)));
    EXPECT_NEAR(h.vPos.x, 30.0f, 1e-4);
    EXPECT_EQ(std::pair(h.vTanNext, h.vTanPrev), std::pair(Vector3(-60.0, 0.0, 0.0), Vector3(60.0, 0.0, 0.0)));
    EXPECT_EQ(std::tuple(h.WidthLeft, h.WidthRight, h.DragPart), std::tuple(6.0f, 1.5f, HandlePart::None));
    EXPECT_FALSE(view.m_bLButtonDown);   // a Ctrl click never starts a drag

    Down(Px(-1, -30), MK_CONTROL);   // the closing span, from the last handle to the first, appends
    ASSERT_EQ(HandleCount(), 6);
    EXPECT_EQ(H(5).vTanNext, H(0).vPos - H(4).vPos);

    UseSquare();
    // Within 2.0 of both spans meeting at handle 1 (60, 0): the span of handle 1 takes it.
    Down(Px(59, -1), MK_CONTROL);
    ASSERT_EQ(HandleCount(), 5);
    EXPECT_NEAR(H(2).vPos.x, 60.0f, 1e-4);
    EXPECT_NEAR(H(2).vPos.y, -1.0f, 1e-3);
    EXPECT_EQ(H(3).vPos, Vector3(60.0, -60.0, 0.0));
}

// DEL at the system cursor removes the first control point and the first object under it, in list order.
TEST_F(InsertDelete, DeleteTakesTheFirstInListOrderOfEachKind)
{
    // handleXs: x of the control points left.
    struct Case { const char* what; std::function<void()> setup; CPoint cursor; std::vector<double> handleXs;
                  std::vector<std::string> objectsLeft; bool edits = true; };
    auto object = [this](double x, double y, const char* name) {
        AddXObject(doc.m_xobjects, Vector3(x, y, 0.0), name, 1.0f, 1.0f);
    };
    UseSquare();
    const Vector3 marker = H(1).vPos + H(1).BorderOffset(BorderSide::Left, H(1).WidthLeft);
    const Case cases[] = {
        {"two control points: the first", [&] { H(3).vPos = Vector3(0, 1, 0); }, Px(0, 0), {60, 60, 0}, {}},
        {"two objects: the first", [&] { object(30, -30, "a.x"), object(31, -30, "b.x"); }, Px(30, -30),
         {0, 60, 60, 0}, {"b.x"}},
        {"a control point and an object: both", [&] { object(1, 0, "a.x"); }, Px(0, 0), {60, 60, 0}, {}},
        {"three control points are kept, the object goes",
         [&] { doc.m_course.m_handles.RemoveAt(2), object(0, 0, "a.x"); }, Px(0, 0), {0, 60, 0}, {}},
        {"tangent tip", [] {}, Px(12, 0), {0, 60, 60, 0}, {}, false},
        {"incoming tangent tip", [] {}, Px(0, -12), {0, 60, 60, 0}, {}, false},
        {"span", [] {}, Px(30, 0), {0, 60, 60, 0}, {}, false},
        {"width marker", [] {}, Px(marker.x, marker.y), {0, 60, 60, 0}, {}, false},
        {"object arrow tip", [&] { object(30, -30, "a.x"); }, Px(30, -20), {0, 60, 60, 0}, {"a.x"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UseSquare(), doc.m_xobjects.SetSize(0), doc.SetModifiedFlag(false);
        c.setup();
        Move(Px(-100, -100));
        const int before = backend.viewHost.invalidations;
        Delete(c.cursor);
        std::vector<double> xs;
        for (int i = 0; i < HandleCount(); ++i)
            xs.push_back(H(i).vPos.x);
        std::vector<std::string> names;
        for (const XObject& o : doc.m_xobjects)
            names.push_back(o.FileName);
        EXPECT_EQ(std::tie(xs, names), std::tie(c.handleXs, c.objectsLeft));
        EXPECT_EQ(doc.IsModified(), c.edits);
        EXPECT_EQ(backend.viewHost.invalidations, before + (c.edits ? 1 : 0));
    }
}

// Only DEL edits: no other key does anything, over a control point and an object.
TEST_F(InsertDelete, NoOtherKeyEdits)
{
    AddXObject(doc.m_xobjects, Vector3(0, 0, 0), "a.x", 1.0f, 1.0f);
    backend.viewHost.cursor = Px(0, 0);
    for (const UINT key : {0u, 0x08u, 0x0Du, 0x1Bu, 0x20u, 0x2Du, UINT('D'), UINT('X'), 0xBEu, 0x1000007u})
        view.OnKeyDown(key, 1, 0);
    EXPECT_EQ(std::tuple(HandleCount(), doc.m_xobjects.GetSize(), doc.IsModified()), std::tuple(4, 3, false));
}

}  // namespace
