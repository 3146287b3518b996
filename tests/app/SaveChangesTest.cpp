#include "AppRun.h"

namespace {

using SaveChanges = AppRun;

// An edited course is guarded: New and Open ask to save it, and it stays unless it was saved
// or the user discarded it and the other course came in.
TEST_F(SaveChanges, TheEditStaysUnlessSavedOrDiscarded)
{
    Start();
    const std::string saved = TempPath("saved.course"), missing = TempPath("missing.course");
    const std::string unwritable = TempPath("no-such-folder") + "/x.course";
    // The answer to the question, the file dialogs' answers (none: cancelled), the command; the
    // control points after it and the message after the question.
    const struct {
        int answer;
        std::deque<std::string> files;
        UINT command;
        int handles;
        std::string failure;
    } cases[] = {
        {IDCANCEL, {}, ID_FILE_NEW, 3, ""},
        {IDYES, {}, ID_FILE_NEW, 3, ""},
        {IDYES, {unwritable}, ID_FILE_NEW, 3, unwritable + "ファイルの書き込みに失敗しました"},
        {IDNO, {missing}, ID_FILE_OPEN, 3, missing + "ファイルの読み込みに失敗しました"},
        {IDNO, {}, ID_FILE_NEW, 4, ""},
        {IDYES, {saved}, ID_FILE_NEW, 4, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        if (!Doc().IsModified())
            DeleteFirstHandle();
        backend.messages.clear();
        backend.messageAnswers = {c.answer};
        backend.fileAnswers = c.files;
        Command(c.command);
        std::vector<std::string> texts = {"無題 への変更を保存しますか?"};
        if (!c.failure.empty())
            texts.push_back(c.failure);
        EXPECT_EQ(backend.MessageTexts(), texts);
        EXPECT_EQ(backend.messages[0].type, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        const bool kept = c.handles == 3;
        EXPECT_EQ(std::tuple(HandleCount(), Doc().IsModified(), Title()),
                  std::tuple(c.handles, kept, kept ? "無題* - Trackwright" : "無題 - Trackwright"));
    }
    CTrackwrightDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(saved));
    EXPECT_EQ(reread.m_course.m_handles.GetSize(), 3);
    EXPECT_EQ((*app.GetRecentFileList())[0], saved);
}

}  // namespace
