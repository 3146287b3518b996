#include "AppRun.h"

namespace {

// An edited course is guarded: New, Open, Exit and closing the window ask to save it.
using SaveChanges = AppRun;

const char* const kAsk = "無題 への変更を保存しますか?";

TEST_F(SaveChanges, NewAsksAndCancelOrACancelledSaveAsKeepTheCourse)
{
    Start();
    DeleteFirstHandle();
    backend.messageAnswers = {IDCANCEL};
    Command(ID_FILE_NEW);
    ASSERT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(backend.messages[0].text, kAsk);
    EXPECT_EQ(backend.messages[0].caption, "Trackwright");
    EXPECT_EQ(backend.messages[0].type, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    EXPECT_EQ(HandleCount(), 3);
    EXPECT_TRUE(Doc().IsModified());

    // Yes, then Cancel in the file dialog of the untitled course: New is off as well.
    backend.messageAnswers = {IDYES};
    Command(ID_FILE_NEW);
    EXPECT_EQ(backend.messages.size(), 2u);
    EXPECT_EQ(HandleCount(), 3);
    EXPECT_EQ(Title(), "無題* - Trackwright");

    // A save that fails keeps the course too.
    backend.messageAnswers = {IDYES};
    backend.fileAnswers = {TempPath("no-such-folder") + "/x.course"};
    Command(ID_FILE_NEW);
    EXPECT_EQ(HandleCount(), 3);
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(SaveChanges, NoDiscardsAndYesSavesBeforeTheNewCourse)
{
    Start();
    DeleteFirstHandle();
    backend.messageAnswers = {IDNO};
    Command(ID_FILE_NEW);
    EXPECT_EQ(HandleCount(), 4);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Title(), "無題 - Trackwright");

    DeleteFirstHandle();
    const std::string path = TempPath("saved.course");
    backend.messageAnswers = {IDYES};
    backend.fileAnswers = {path};
    Command(ID_FILE_NEW);
    EXPECT_EQ(HandleCount(), 4);
    EXPECT_EQ(Title(), "無題 - Trackwright");
    CTrackwrightDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(path));
    EXPECT_EQ(saved.m_course.m_handles.GetSize(), 3);
    ASSERT_GE(app.GetRecentFileList()->GetCount(), 1);
    EXPECT_EQ((*app.GetRecentFileList())[0], path);
}


}  // namespace
