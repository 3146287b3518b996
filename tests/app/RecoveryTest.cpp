#include "AppRun.h"

#include "file/CourseFile.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>

namespace {

// The recovery copy through the application: written a few seconds after an edit, gone
// once the course is saved, offered back when its course is opened again.
class Recovery : public AppRun {
protected:
    void SetUp() override
    {
        // AppRun has made this test's state folder empty and named it.
        course = TempPath("course.crs");
        folder = std::string(std::getenv("XDG_STATE_HOME")) + "/trackwright";
        CTrackwrightDoc doc;
        doc.OnNewDocument();
        std::ofstream(course, std::ios::binary) << (diskText = CourseFileText(doc.StoredFields()));
    }

    // Ticks the idle pass at these times; returns the copies in the recovery folder.
    int TickAt(std::initializer_list<double> times)
    {
        for (double t : times)
            app.TickRecovery(t);
        return Count();
    }
    int Count()
    {
        std::error_code ec;
        return static_cast<int>(std::count_if(std::filesystem::directory_iterator(folder, ec), {},
                                              [](const auto& e) { return e.path().extension() == ".crs"; }));
    }

    std::string folder, course, diskText;
};

TEST(RecoveryClock, WritesAfterAQuietSpellOrAtTheLatestThirtySecondsAfterTheFirstEdit)
{
    // (changes seen, time): quiet for 3 s after the first edit, then edits every 2.5 s from 10 s on.
    const std::pair<std::uint64_t, double> ticks[] = {{0, 0.0}, {1, 1.0}, {1, 3.9}, {1, 4.0}, {2, 10.0},
        {3, 12.5}, {4, 15.0}, {5, 17.5}, {6, 20.0}, {7, 22.5}, {8, 25.0}, {9, 27.5}, {10, 39.9}, {11, 40.0}};
    RecoveryClock clock;
    for (const auto& [changes, now] : ticks) {
        const bool due = now == 4.0 || now == 40.0;   // written 30 s after the first of those edits
        EXPECT_EQ(clock.Due(changes, now), due) << now;
        if (due)
            clock.Done();
    }
}

TEST_F(Recovery, WrittenAfterAnEditAndRemovedBySaveOrUndo)
{
    Start({"trackwright", course});
    app.TickRecovery(0.0);
    DeleteFirstHandle();
    EXPECT_EQ(TickAt({1.0}), 0);
    ASSERT_EQ(TickAt({4.0}), 1);
    Command(ID_EDIT_UNDO);   // back to the file on disk: nothing to recover
    EXPECT_EQ(TickAt({5.0}), 0);
    Command(ID_EDIT_REDO);
    EXPECT_EQ(TickAt({6.0, 9.0}), 1);
    Command(ID_FILE_SAVE);
    EXPECT_EQ(TickAt({9.1}), 0);

    Command(ID_EDIT_UNDO);   // an edit again; a normal end (the save question answered) removes it
    EXPECT_EQ(TickAt({10.0, 13.0}), 1);
    app.ExitInstance();
    EXPECT_EQ(Count(), 0);
}

TEST_F(Recovery, AFailedWriteIsOneStatusLineAndLeavesEditingAlone)
{
    std::filesystem::create_directories(std::filesystem::path(folder).parent_path());
    std::ofstream(folder) << "a file where the folder should be";
    Start({"trackwright", course});
    DeleteFirstHandle();
    TickAt({0.0, 3.0});
    EXPECT_EQ(backend.statusText, "回復用ファイルを書き込めませんでした: " + app.m_recovery->Path());
    EXPECT_TRUE(backend.messages.empty() && Doc().IsModified());

    std::filesystem::remove(folder);   // the next copy after an edit goes through
    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_REDO);
    TickAt({10.0, 13.0});
    EXPECT_TRUE(app.m_recovery->Exists());
    EXPECT_EQ(backend.statusText, "");
}

// Yes restores the copy: the window tests show that across a real restart.
TEST_F(Recovery, OpeningTheCourseOffersTheOrphanAndNoDiscardsIt)
{
    Start();
    ASSERT_TRUE(RecoveryFile(folder).Write(course, "3\n"));   // as a killed editor leaves it
    backend.messageAnswers = {IDNO};
    ASSERT_NE(app.OpenDocumentFile(course), nullptr);
    EXPECT_EQ(backend.MessageTexts(), std::vector<std::string>{"course.crs に保存されていない変更が残っています。"
                                                               "復元しますか?\n(「いいえ」を選ぶと、この変更は破棄されます)"});
    EXPECT_EQ(backend.messages[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(std::tuple(HandleCount(), Doc().IsModified(), Title(), Count()),
              std::tuple(4, false, std::string("course.crs - Trackwright"), 0));
}

TEST_F(Recovery, UntitledCopyIsOfferedOnlyAtStartAndACopyEqualToTheFileIsDropped)
{
    ASSERT_TRUE(RecoveryFile(folder).Write("", "3\n"));
    Start();
    EXPECT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(HandleCount(), 4);   // the box closed, neither Yes nor No
    Command(ID_FILE_NEW);
    EXPECT_EQ(backend.messages.size(), 1u);

    ASSERT_TRUE(RecoveryFile(folder).Write(course, diskText));   // equal to the file: not offered, dropped
    ASSERT_NE(app.OpenDocumentFile(course), nullptr);
    EXPECT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(Count(), 1);   // the untitled copy, kept: its question was not answered
}

// Whatever became of its course, a copy is offered at the next start and restored onto the
// path it was written for; Save then writes there, or asks where when the folder is gone.
TEST_F(Recovery, EveryOrphanIsOfferedAtStartWhateverBecameOfItsCourse)
{
    namespace fs = std::filesystem;
    const std::string moved = TempPath("moved/lost.crs");
    const struct {
        const char* what;
        std::string orphanFor;            // the course the copy was written for
        std::function<void()> fate;       // what became of it before the start
        std::vector<std::string> args;
        int answer;                       // to the question
        std::vector<std::string> asked;   // the message boxes, in order (a question by the name it gives)
        int handles;                      // on screen after the answer
        std::string pathAfter;            // the document's path after the answer
        std::string savedTo;              // where Save writes ("" Save is not tried)
    } rows[] = {
        {"deleted, started with its path", course, [&] { fs::remove(course); }, {"trackwright", course}, IDYES,
         {course + "ファイルの読み込みに失敗しました", course}, 3, course, course},
        {"its folder moved, started with none", moved, [&] { fs::remove_all(fs::path(moved).parent_path()); },
         {"trackwright"}, IDYES, {moved}, 3, moved, TempPath("elsewhere.crs")},
        {"still there, started with none", course, [] {}, {"trackwright"}, IDNO, {course}, 4, "", ""},
        {"another course started", moved, [] {}, {"trackwright", course}, IDYES, {moved}, 3, moved, moved},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TestBackend rowBackend;
        CTrackwrightApp rowApp;
        fs::create_directories(fs::path(moved).parent_path());
        std::ofstream(course, std::ios::binary) << diskText;
        ASSERT_TRUE(RecoveryFile(folder).Write(row.orphanFor, "3\n"));   // as a killed editor leaves it
        row.fate();
        rowBackend.messageAnswers = {row.asked.size() == 2 ? IDOK : row.answer, row.answer};
        rowApp.SetCommandLine(row.args);
        ASSERT_TRUE(rowApp.InitInstance());
        auto& doc = *static_cast<CTrackwrightDoc*>(rowApp.GetDocTemplate()->GetDocument());
        std::vector<std::string> asked = rowBackend.MessageTexts();
        for (std::string& text : asked)
            text = text.substr(0, text.find(" に保存されていない変更"));
        EXPECT_EQ(asked, row.asked);
        EXPECT_EQ(std::tuple(doc.m_course.m_handles.GetSize(), doc.GetPathName(), doc.IsModified(), Count()),
                  std::tuple(row.handles, row.pathAfter, row.answer == IDYES, row.answer == IDYES ? 1 : 0));
        if (!row.savedTo.empty()) {
            rowBackend.fileAnswers = {row.savedTo};
            ASSERT_TRUE(rowApp.GetDocTemplate()->GetFrame()->OnCmdMsg(ID_FILE_SAVE, CN_COMMAND, nullptr));
            StoredCourse saved;
            ASSERT_TRUE(ReadCourseFile(row.savedTo, saved));
            EXPECT_EQ(saved.handles.GetSize(), 3);
            EXPECT_FALSE(doc.IsModified());
        }
        rowApp.ExitInstance();
        EXPECT_EQ(Count(), 0);
    }
}

// The copy is a course file behind one comment line: Open reads it as the course it holds.
// Copies written before that line was a comment are still found and offered.
TEST_F(Recovery, TheCopyOpensAsACourseAndOldCopiesAreStillRead)
{
    Start();
    RecoveryFile live(folder);
    ASSERT_TRUE(live.Write(course, "#CourseData\r\n3\r\n"));
    ASSERT_NE(app.OpenDocumentFile(live.Path()), nullptr);
    EXPECT_EQ(HandleCount(), 3);

    std::ofstream(folder + "/1-1.crs", std::ios::binary)
        << "#Trackwright recovery\n" << RecoveryFile::CourseKey(course) << "\n3\n";
    const std::optional<FoundRecovery> old = live.FindOrphan(course);
    ASSERT_TRUE(old);
    EXPECT_EQ(std::pair(old->path, old->courseText), std::pair(folder + "/1-1.crs", std::string("3\n")));
}

TEST_F(Recovery, TwoEditorsOnTwoCoursesKeepSeparateCopies)
{
    const std::string other = TempPath("other.crs");
    {
        RecoveryFile first(folder), second(folder);
        ASSERT_TRUE(first.Write(course, "first") && second.Write(other, "second"));
        EXPECT_NE(first.Path(), second.Path());
        EXPECT_FALSE(RecoveryFile(folder).FindOrphan(course));   // its editor still runs
    }
    RecoveryFile next(folder);
    EXPECT_EQ(std::pair(next.FindOrphan(course)->courseText, next.FindOrphan(other)->courseText),
              std::pair(std::string("first"), std::string("second")));
}

}  // namespace
