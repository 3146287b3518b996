#include "EditView.h"

namespace {

// Every edit that changes the course marks the document; looking around does not.
using ModifiedFlag = EditView;

TEST_F(ModifiedFlag, HoverCameraTypeListAndEmptyDragsLeaveTheCourseClean)
{
    Move(Px(100, 0));
    Down(CPoint(50, 20));
    Drag(Px(0, 0), Px(20, 20));              // grabbed nothing
    Down(Px(100, 0));
    EXPECT_EQ(H(0).DragPart, HandlePart::Pos);
    Up(Px(100, 0));                          // grabbed, but not moved
    Delete(Px(0, 0));                        // nothing under the cursor
    view.OnRButtonDown(MK_RBUTTON, Px(0, 0));
    Move(Px(30, 30), MK_RBUTTON);
    Move(Px(30, 60), MK_RBUTTON | MK_SHIFT);
    view.OnRButtonUp(0, Px(30, 60));
    view.OnMouseWheel(0, 120, Px(0, 0));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ModifiedFlag, EachKindOfEditMarksTheDocument)
{
    const auto expectMarked = [this](const char* what) {
        EXPECT_TRUE(doc.IsModified()) << what;
        doc.SetModifiedFlag(false);
    };
    Drag(Px(100, 0), Px(101, 0));
    expectMarked("control point drag");

    AddXObject(doc.m_xobjects, Vector3(0.0, 0.0, 0.0), "a.x", 1.0f, 1.0f);
    doc.SetModifiedFlag(false);
    Drag(Px(0, 10), Px(3, 10));   // the object's direction tip
    EXPECT_NEAR(doc.m_xobjects[0].Direction, 0.2915f, 1e-3);
    expectMarked("object turn");

    Down(Px(0, 100), MK_CONTROL);
    EXPECT_EQ(HandleCount(), 5);
    expectMarked("insertion");

    view.m_nSelectedType = 0;
    Down(Px(20, 20), MK_CONTROL);
    expectMarked("placement");

    Delete(Px(20, 20));
    EXPECT_EQ(doc.m_xobjects.GetSize(), 1);
    expectMarked("object deletion");

    Delete(Px(-100, 0));
    EXPECT_EQ(HandleCount(), 4);
    expectMarked("control point deletion");
}

}  // namespace
