// Editing with real mouse and key events in the real window, and never losing an edit.
#include "EditorFixture.h"

#include "file/NumberText.h"
#include "framework/qt/QtMainWindow.h"
#include "framework/qt/QtViewWidget.h"
#include "geometry/CourseSpline.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>

#include <utility>


namespace {

class EditorEditing : public EditorFixture {
protected:
    std::string StartOnSavedDefault()
    {
        const std::string path = WriteCourse("edit.crs");
        EXPECT_TRUE(Start({path}));
        return path;
    }
};
std::string Fixed(float v)
{
    std::string s;
    AppendFixed(s, v);
    return s;
}

TEST_F(EditorEditing, DraggingAControlPointMovesItAndTheSavedFileHasItsNumbers)
{
    const std::string path = StartOnSavedDefault();
    const QPoint grab = PixelOf(100.0f, 0.0f);
    const QPoint drop = grab + QPoint(30, -20);
    Press(grab, Qt::LeftButton);
    Move(drop, Qt::LeftButton);
    Release(drop, Qt::LeftButton);

    const CourseHandle& h = Doc()->m_course.m_handles[0];
    const Vector3 expected = View()->ScreenToWorld(drop.x(), drop.y()) +
                             (Vector3(100.0, 0.0, 0.0) - View()->ScreenToWorld(grab.x(), grab.y()));
    EXPECT_NEAR(h.vPos.x, expected.x, 1e-4);
    EXPECT_NEAR(h.vPos.y, expected.y, 1e-4);
    EXPECT_GT(h.vPos.x, 100.0f);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Window()->windowTitle().toStdString(), "edit.crs* - Trackwright");

    Key(Qt::Key_S, Qt::ControlModifier);
    ProcessEvents(20);
    EXPECT_FALSE(Doc()->IsModified());
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("\r\n" + Fixed(h.vPos.x) + " " + Fixed(h.vPos.y) + " "), std::string::npos) << text;
}

TEST_F(EditorEditing, CtrlDoubleClickInsertsOnceAndOnlyDelRemoves)
{
    StartOnSavedDefault();
    const CourseHandle& h0 = Doc()->m_course.m_handles[0];
    const Vector3 mid = h0.SpanPoint(Doc()->m_course.m_handles[1], 0.5f);
    const QPoint at = PixelOf(mid.x, mid.y);
    // A double click: Qt turns the second press into a double-click event.
    Press(at, Qt::LeftButton, Qt::ControlModifier);
    Release(at, Qt::LeftButton, Qt::ControlModifier);
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(at), QPointF(ViewWidget()->mapToGlobal(at)),
                      Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(ViewWidget(), &twice);
    Release(at, Qt::LeftButton, Qt::ControlModifier);
    ASSERT_EQ(Doc()->m_course.m_handles.GetSize(), 5);
    const Vector3 inserted = Doc()->m_course.m_handles[1].vPos;
    EXPECT_NEAR(inserted.x, mid.x, 1.0);
    EXPECT_NEAR(inserted.y, mid.y, 1.0);

    // Keys with no meaning to the view do nothing; "." is 0x2E to Qt, the code of DEL.
    Doc()->SetModifiedFlag(false);
    Move(PixelOf(inserted.x, inserted.y), Qt::NoButton);
    const std::pair<int, Qt::KeyboardModifiers> stray[] = {
        {Qt::Key_Period, Qt::NoModifier}, {Qt::Key_Period, Qt::KeypadModifier}, {Qt::Key_Comma, Qt::KeypadModifier},
        {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_D, Qt::NoModifier}, {Qt::Key_Space, Qt::NoModifier},
        {Qt::Key_Escape, Qt::NoModifier}, {Qt::Key_Insert, Qt::NoModifier}, {Qt::Key_Minus, Qt::KeypadModifier},
        {Qt::Key_At, Qt::NoModifier}};
    for (const auto& [key, mods] : stray)
        Key(key, mods);
    EXPECT_EQ(Doc()->m_course.m_handles.GetSize(), 5);
    EXPECT_FALSE(Doc()->IsModified());

    // DEL takes the position of the system cursor.
    Key(Qt::Key_Delete);
    EXPECT_EQ(Doc()->m_course.m_handles.GetSize(), 4);
    EXPECT_TRUE(Doc()->IsModified());

    // Zoomed out as far as the wheel goes, Home ("全体表示") brings the course back.
    for (int i = 0; i < 400; ++i)
        Wheel(at, 120);
    EXPECT_EQ(View()->m_fZoom, CTrackwrightView::kMinZoom);
    Key(Qt::Key_Home);
    const QPoint far = PixelOf(100.0f, 0.0f);
    EXPECT_TRUE(ViewWidget()->rect().contains(far));
    EXPECT_GT((far - PixelOf(-100.0f, 0.0f)).manhattanLength(), ViewWidget()->width() / 2);
}

TEST_F(EditorEditing, WheelAndRightDragMoveTheCameraButAreNoEdit)
{
    StartOnSavedDefault();
    const float zoom = View()->m_fZoom;
    const QPoint centre(ViewWidget()->width() / 2, ViewWidget()->height() / 2);
    Wheel(centre, -120);   // towards the user: closer
    EXPECT_FLOAT_EQ(View()->m_fZoom, zoom * 1.5f);
    Wheel(centre, 120);
    EXPECT_FLOAT_EQ(View()->m_fZoom, zoom * 1.5f * 0.75f);
    const float camX = View()->m_vCamera.x;
    Press(centre, Qt::RightButton);
    Move(centre + QPoint(40, 0), Qt::RightButton);
    Release(centre + QPoint(40, 0), Qt::RightButton);
    EXPECT_LT(View()->m_vCamera.x, camX);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(EditorEditing, ClosingAfterAnEditAsksAndCancelKeepsTheWindow)
{
    StartOnSavedDefault();
    const QPoint at = PixelOf(0.0f, 100.0f);
    Move(at, Qt::NoButton);
    Key(Qt::Key_Delete);
    ASSERT_EQ(Doc()->m_course.m_handles.GetSize(), 3);

    AnswerMessageBox(QMessageBox::RejectRole);
    Window()->close();
    ProcessEvents(50);
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_EQ(Doc()->m_course.m_handles.GetSize(), 3);

    AnswerMessageBox(QMessageBox::NoRole);
    Window()->close();
    ProcessEvents(50);
    EXPECT_FALSE(Window()->isVisible());
}

}  // namespace
