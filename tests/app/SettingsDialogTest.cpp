#include "support/BmpWriter.h"
#include "support/GlFixture.h"
#include "support/TestBackend.h"

#include "document/CourseHistory.h"
#include "document/SettingsDlg.h"
#include "document/TrackwrightDoc.h"
#include "res/TrackwrightResources.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

const char* const kHeightMissing = "ハイトマップのファイルがオープンできません。";
const char* const kColourMissing = "カラーマップのファイルがオープンできません。";

std::string SmallMap(const std::string& name, int side)
{
    return WriteTempFile(name, MakeBmp({side, side}, PaddedRows(std::size_t(side) * 3, std::size_t(side))));
}

// The settings command on the default course; OK builds the map texture, so a GL context is current.
class SettingsDialog : public GlFixture {
protected:
    void SetUp() override
    {
        GlFixture::SetUp();
        AfxSetResources(&TrackwrightResources());
        ASSERT_TRUE(doc.OnNewDocument());
    }

    // Types the texts over the fields the dialog showed and presses OK; true when that ended it.
    // A refused OK leaves the dialog open, and the user cancels it.
    bool RunWith(std::map<UINT, std::string> typed)
    {
        backend.messages.clear();
        bool ok = false;
        backend.dialogScript = [&, typed](CDialog& dlg, TestDialogHost& host) {
            shown = host.items;
            for (const auto& [id, text] : typed)
                host.items[id] = text;
            dlg.OnOK();
            if (!(ok = host.result == IDOK))
                dlg.OnCancel();
        };
        doc.OnSettings();
        return ok;
    }

    // What the map settings hold: height map path, map width, brightness.
    std::tuple<std::string, int, float> Map() const
    {
        return {doc.m_heightMap, doc.m_course.m_mapInfo.width, doc.m_course.m_texLuminance};
    }

    TestBackend backend;
    CTrackwrightDoc doc;
    std::map<UINT, std::string> shown;
};

TEST_F(SettingsDialog, BrightnessMustLieInZeroToOne)
{
    // A refused text keeps the dialog open on its field, says so once, and changes nothing.
    const std::pair<const char*, bool> cases[] = {{"0", true},      {"1", true},   {"0.25 ", true},
                                                  {"1.01", false},  {"-0.01", false}, {"abc", false},
                                                  {"", false},      {"1,5", false}, {"nan", false}};
    for (const auto& [text, ok] : cases) {
        EXPECT_EQ(RunWith({{IDC_LUMINANCE, text}, {IDC_XOBJECT_SCALE, ok ? "0.4" : "2"}}), ok) << text;
        EXPECT_EQ(std::pair(backend.messages.size(), backend.lastDialog.focused),
                  std::pair(std::size_t{ok ? 0u : 1u}, ok ? 0u : IDC_LUMINANCE)) << text;
    }
    EXPECT_EQ(std::pair(doc.m_course.m_texLuminance, doc.m_xobjectScale), std::pair(0.25f, 0.4f));
}

TEST_F(SettingsDialog, MissingMapsAreReportedHeightMapFirstAndChangeNothing)
{
    const std::string none = ::testing::TempDir() + "/none.bmp", height = SmallMap("settings_h.bmp", 4);
    // A folder opens for reading on Linux, but it is no map; nor is one wider than the GL takes.
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    const std::string tooWide =
        WriteTempFile("settings_wide.bmp", MakeBmp({maxSide + 1, 1, 8}, PaddedRows(maxSide + 1, 1)));
    const std::tuple<std::string, std::string, const char*> cases[] = {{none, none, kHeightMissing},
        {::testing::TempDir(), "", kHeightMissing}, {tooWide, "", kHeightMissing}, {height, none, kColourMissing}};
    for (const auto& [heightMap, colourMap, message] : cases) {
        EXPECT_FALSE(RunWith({{IDC_HEIGHTMAP, heightMap}, {IDC_COLORMAP, colourMap}})) << heightMap;
        EXPECT_EQ(backend.MessageTexts(), std::vector<std::string>{message}) << heightMap;
        EXPECT_EQ(backend.lastDialog.result, IDCANCEL);
    }
    EXPECT_FALSE(!doc.m_heightMap.empty() || doc.IsModified());
}

TEST_F(SettingsDialog, ShowsTheValuesAndOkOrUndoReadsTheMapAgain)
{
    const std::string small = SmallMap("settings_small.bmp", 2), height = SmallMap("settings_reload.bmp", 4);
    ASSERT_TRUE(RunWith({{IDC_HEIGHTMAP, small}}));
    EXPECT_TRUE(RunWith({{IDC_HEIGHTMAP, height}, {IDC_LUMINANCE, "0.75"}}));
    EXPECT_EQ(shown, (std::map<UINT, std::string>{
                         {IDC_HEIGHTMAP, small}, {IDC_COLORMAP, ""}, {IDC_LUMINANCE, "0.5"}, {IDC_XOBJECT_SCALE, "0.4"}}));
    EXPECT_EQ(Map(), std::tuple(height, 4, 0.75f));
    EXPECT_TRUE(doc.m_course.m_mapPixels != nullptr && doc.IsModified());
    // Undo and redo put the paths back and read the map again.
    ASSERT_TRUE(UndoLastStep(doc));
    EXPECT_EQ(Map(), std::tuple(small, 2, 0.5f));
    ASSERT_TRUE(RedoNextStep(doc));
    EXPECT_EQ(Map(), std::tuple(height, 4, 0.75f));
    doc.m_history.MarkSaved();   // as a save would
    doc.SetModifiedFlag(false);

    // Same values, but the file changed on disk: OK decodes it again. A brightness that 6
    // digits cannot show comes back exactly, so nothing is marked.
    SmallMap("settings_reload.bmp", 2);
    doc.m_course.m_texLuminance = 0.123456789f;
    EXPECT_TRUE(RunWith({}));
    EXPECT_EQ(Map(), std::tuple(height, 2, 0.123456789f));
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
