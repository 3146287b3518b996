#include "support/BmpWriter.h"
#include "support/GlFixture.h"
#include "support/TestBackend.h"

#include "doc/CourseHistory.h"
#include "doc/SettingsDlg.h"
#include "doc/TrackwrightDoc.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

const char* const kHeightMissing = "ハイトマップのファイルがオープンできません。";
const char* const kColourMissing = "カラーマップのファイルがオープンできません。";

std::string SmallMap(const std::string& name, int side)
{
    BmpLayout layout;
    layout.width = side;
    layout.height = side;
    return WriteTempFile(name, MakeBmp(layout, PaddedRows(std::size_t(side) * 3, std::size_t(side))));
}

// The settings command of a document with the default course; the script fills the fields
// the user types into and presses OK as often as the case needs. OK builds the map texture,
// which needs a current GL context.
class SettingsDialog : public GlFixture {
protected:
    void SetUp() override
    {
        GlFixture::SetUp();
        ASSERT_TRUE(doc.OnNewDocument());
    }

    // Types the texts over the fields the dialog showed, then presses OK once per entry of
    // presses; returns whether the dialog ended with OK.
    bool RunWith(std::map<UINT, std::string> typed, int presses = 1)
    {
        backend.dialogScript = [&, typed, presses](CDialog& dlg, TestDialogHost& host) {
            shown = host.items;
            for (const auto& [id, text] : typed)
                host.items[id] = text;
            for (int i = 0; i < presses && host.result == 0; ++i)
                dlg.OnOK();
        };
        doc.OnSettings();
        return backend.lastDialog.result == IDOK;
    }

    TestBackend backend;
    CTrackwrightDoc doc;
    std::map<UINT, std::string> shown;
};

TEST_F(SettingsDialog, BrightnessMustLieInZeroToOne)
{
    for (const char* text : {"0", "1", "0.25 "}) {
        backend.messages.clear();
        EXPECT_TRUE(RunWith({{IDC_LUMINANCE, text}})) << text;
        EXPECT_TRUE(backend.messages.empty()) << text;
    }
    EXPECT_EQ(doc.m_course.m_texLuminance, 0.25f);

    for (const char* text : {"1.01", "-0.01", "abc", "", "1,5", "nan"}) {
        backend.messages.clear();
        EXPECT_FALSE(RunWith({{IDC_LUMINANCE, text}, {IDC_XOBJECT_SCALE, "2"}})) << text;
        EXPECT_EQ(backend.lastDialog.focused, IDC_LUMINANCE) << text;
        EXPECT_EQ(backend.messages.size(), 1u) << text;
    }
    EXPECT_EQ(doc.m_course.m_texLuminance, 0.25f);
    EXPECT_EQ(doc.m_xobjectScale, 0.4f);
}

TEST_F(SettingsDialog, MissingMapsAreReportedHeightMapFirst)
{
    const std::string dir = ::testing::TempDir();
    const std::string height = SmallMap("settings_h.bmp", 4);
    RunWith({{IDC_HEIGHTMAP, dir + "/none_h.bmp"}, {IDC_COLORMAP, dir + "/none_c.bmp"}});
    EXPECT_EQ(backend.MessageTexts(), std::vector<std::string>{kHeightMissing});
    EXPECT_TRUE(doc.m_heightMap.empty());

    backend.messages.clear();
    // The user fixes the height map and presses OK again: now the colour map is reported.
    backend.dialogScript = [&](CDialog& dlg, TestDialogHost& host) {
        host.items[IDC_HEIGHTMAP] = dir + "/none_h.bmp";
        host.items[IDC_COLORMAP] = dir + "/none_c.bmp";
        dlg.OnOK();
        host.items[IDC_HEIGHTMAP] = height;
        dlg.OnOK();
    };
    doc.OnSettings();
    EXPECT_EQ(backend.MessageTexts(), (std::vector<std::string>{kHeightMissing, kColourMissing}));
    EXPECT_EQ(backend.lastDialog.result, 0);
    EXPECT_TRUE(doc.m_heightMap.empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(SettingsDialog, OkReadsTheShownMapAgainAndCancelChangesNothing)
{
    const std::string height = SmallMap("settings_reload.bmp", 4);
    EXPECT_TRUE(RunWith({{IDC_HEIGHTMAP, height}, {IDC_LUMINANCE, "0.75"}}));
    EXPECT_EQ(doc.m_heightMap, height);
    EXPECT_EQ(doc.m_course.m_mapInfo.width, 4);
    EXPECT_EQ(doc.m_course.m_texLuminance, 0.75f);
    EXPECT_TRUE(doc.m_course.m_mapPixels != nullptr);
    EXPECT_TRUE(doc.IsModified());
    doc.m_history.MarkSaved();   // as a save would
    doc.SetModifiedFlag(false);

    // Same values, but the file changed on disk: OK decodes it again.
    SmallMap("settings_reload.bmp", 2);
    const int glBefore = backend.glCurrentCalls;
    EXPECT_TRUE(RunWith({}));
    EXPECT_EQ(doc.m_course.m_mapInfo.width, 2);
    EXPECT_GT(backend.glCurrentCalls, glBefore);
    EXPECT_FALSE(doc.IsModified());

    backend.dialogScript = [](CDialog& dlg, TestDialogHost& host) {
        host.items[IDC_HEIGHTMAP] = "";
        host.items[IDC_LUMINANCE] = "0.1";
        dlg.OnCancel();
    };
    doc.OnSettings();
    EXPECT_EQ(doc.m_heightMap, height);
    EXPECT_EQ(doc.m_course.m_texLuminance, 0.75f);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(SettingsDialog, UndoAndRedoRestoreThePathsAndReadTheMapAgain)
{
    const std::string small = SmallMap("undo_small.bmp", 2);
    const std::string big = SmallMap("undo_big.bmp", 4);
    ASSERT_TRUE(RunWith({{IDC_HEIGHTMAP, small}}));
    ASSERT_TRUE(RunWith({{IDC_HEIGHTMAP, big}, {IDC_LUMINANCE, "0.25"}}));
    EXPECT_EQ(doc.m_course.m_mapInfo.width, 4);
    ASSERT_TRUE(UndoLastStep(doc));
    EXPECT_EQ(doc.m_heightMap, small);
    EXPECT_EQ(doc.m_course.m_mapInfo.width, 2);
    EXPECT_EQ(doc.m_course.m_texLuminance, 0.5f);
    ASSERT_TRUE(RedoNextStep(doc));
    EXPECT_EQ(doc.m_heightMap, big);
    EXPECT_EQ(doc.m_course.m_mapInfo.width, 4);
    EXPECT_EQ(doc.m_course.m_texLuminance, 0.25f);
}

}  // namespace
