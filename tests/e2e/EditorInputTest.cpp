// Mouse buttons, the wheel and keys as Qt delivers them, in the real window: what each one
// does is the view's tests'; here they must reach the right handler, and no other key any.
#include "EditorFixture.h"

#include "geometry/CourseSpline.h"

#include <tuple>

namespace {

using EditorInput = EditorFixture;

TEST_F(EditorInput, WheelButtonsAndKeysReachTheViewAndOtherKeysDoNothing)
{
    ASSERT_TRUE(Start({WriteCourse("input.crs")}));
    const float zoom = View()->m_fZoom;
    const QPoint centre(ViewWidget()->width() / 2, ViewWidget()->height() / 2);
    Wheel(centre, -120);   // towards the user: closer
    EXPECT_FLOAT_EQ(View()->m_fZoom, zoom * 1.5f);
    Wheel(centre, 120);
    EXPECT_FLOAT_EQ(View()->m_fZoom, zoom * 1.5f * 0.75f);
    // The right and the middle button pan.
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        const float camX = View()->m_vCamera.x;
        Drag(centre, centre + QPoint(40, 0), button);
        EXPECT_LT(View()->m_vCamera.x, camX) << button;
    }

    // Zoomed out far, Home ("全体表示") brings the whole course back into view.
    for (int i = 0; i < 20; ++i)
        Wheel(centre, 120);
    Key(Qt::Key_Home);
    const QPoint far = PixelOf(100.0f, 0.0f);
    EXPECT_TRUE(ViewWidget()->rect().contains(far));
    EXPECT_GT((far - PixelOf(-100.0f, 0.0f)).manhattanLength(), ViewWidget()->width() / 2);
    EXPECT_FALSE(Doc()->IsModified()) << "looking around is no edit";

    // Ctrl+double-click inserts once, though Qt sends a press and a double click.
    const Vector3 mid = Doc()->m_course.m_handles[0].SpanPoint(Doc()->m_course.m_handles[1], 0.5f);
    DoubleClick(PixelOf(mid.x, mid.y), Qt::ControlModifier);
    ASSERT_EQ(Handles(), 5);
    const Vector3 inserted = Doc()->m_course.m_handles[1].vPos;   // where is the view's tests' concern

    // Only DEL removes the point under the system cursor; "." is 0x2E to Qt, the code of DEL.
    Doc()->SetModifiedFlag(false);
    Move(PixelOf(inserted.x, inserted.y));
    const std::tuple<int, Qt::KeyboardModifiers, int> keys[] = {
        {Qt::Key_Period, Qt::NoModifier, 5}, {Qt::Key_Period, Qt::KeypadModifier, 5},
        {Qt::Key_Comma, Qt::KeypadModifier, 5}, {Qt::Key_Minus, Qt::KeypadModifier, 5},
        {Qt::Key_Backspace, Qt::NoModifier, 5}, {Qt::Key_D, Qt::NoModifier, 5}, {Qt::Key_Space, Qt::NoModifier, 5},
        {Qt::Key_Escape, Qt::NoModifier, 5}, {Qt::Key_Insert, Qt::NoModifier, 5}, {Qt::Key_At, Qt::NoModifier, 5},
        {Qt::Key_Delete, Qt::NoModifier, 4}};
    for (const auto& [key, mods, handles] : keys) {
        Key(key, mods);
        EXPECT_EQ(std::pair(Handles(), Doc()->IsModified()), std::pair(handles, handles == 4)) << std::hex << key;
    }
}

}  // namespace
