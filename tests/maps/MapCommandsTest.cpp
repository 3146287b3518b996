#include "support/BmpWriter.h"
#include "support/GlFixture.h"
#include "support/TestBackend.h"
#include "doc/TrackwrightDoc.h"
#include "framework/CView.h"
#include "res/Resource.h"
#include "res/TrackwrightResources.h"
#include <GL/gl.h>
namespace {
// Counts the document's repaint requests.
struct CountingView : CView {
    void OnUpdate(CView*, long, void*) override { ++updates; }
    int updates = 0;
};
class MapCommands : public GlFixture {
protected:
    void SetUp() override
    {
        GlFixture::SetUp();
        AfxSetResources(&TrackwrightResources());
        doc.AddView(&view);
    }
    void TearDown() override { doc.RemoveView(&view); }
    // The menu item's (enabled, check) as the document's message map gives it.
    std::pair<bool, int> Update(UINT id)
    {
        CCmdUI ui(id);
        EXPECT_TRUE(doc.OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui));
        return {ui.m_bEnabled, ui.m_nCheck};
    }
    void Run(UINT id) { EXPECT_TRUE(doc.OnCmdMsg(id, CN_COMMAND, nullptr)); }
    TestBackend backend;
    CTrackwrightDoc doc;
    CountingView view;
};
TEST_F(MapCommands, ItemsAreEnabledByTheirPathsAndCheckedByTheShownMap)
{
    doc.m_colorMap = "colour.bmp";
    EXPECT_EQ(Update(ID_VIEW_HEIGHTMAP), std::pair(false, 1));
    EXPECT_EQ(Update(ID_VIEW_COLORMAP), std::pair(true, 0));
    doc.m_heightMap = "height.bmp";
    doc.m_visibleMap = 1;
    EXPECT_EQ(Update(ID_VIEW_HEIGHTMAP), std::pair(true, 0));
    EXPECT_EQ(Update(ID_VIEW_COLORMAP), std::pair(true, 1));
    doc.m_visibleMap = 2;   // a course file may hold any number here
    EXPECT_EQ(Update(ID_VIEW_COLORMAP).second, 0);
}
// Choosing a map loads it, moves the check mark, marks the course (the choice is stored) and repaints;
// undo and redo of the switch read the shown map again.
TEST_F(MapCommands, ChoosingAMapLoadsItAndUndoAndRedoReadTheShownMapAgain)
{
    BmpLayout small, wide;
    small.width = small.height = wide.height = 4;
    wide.width = 8;
    doc.m_heightMap = WriteTempFile("height.bmp", MakeBmp(small, PaddedRows(12, 4)));
    doc.m_colorMap = WriteTempFile("colour.bmp", MakeBmp(wide, PaddedRows(24, 4)));
    Run(ID_VIEW_COLORMAP);
    EXPECT_EQ(std::tuple(doc.m_visibleMap, doc.m_course.m_mapInfo.width, doc.IsModified(), view.updates),
              std::tuple(1, 8, true, 1));
    const GLuint colour = doc.m_course.m_mapTexture;
    EXPECT_TRUE(glIsTexture(colour));
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(std::tuple(doc.m_visibleMap, doc.m_course.m_mapInfo.width, doc.IsModified()), std::tuple(0, 4, false));
    Run(ID_EDIT_REDO);
    EXPECT_EQ(std::tuple(doc.m_visibleMap, doc.m_course.m_mapInfo.width, view.updates), std::tuple(1, 8, 3));
    // The map already shown is read again into a new texture; nothing stored changes.
    doc.SetModifiedFlag(false);
    Run(ID_VIEW_COLORMAP);
    EXPECT_NE(doc.m_course.m_mapTexture, colour);
    EXPECT_FALSE(doc.IsModified());
    // A map that cannot be read is reported and changes nothing.
    const GLuint shown = doc.m_course.m_mapTexture;
    doc.m_heightMap = "/nonexistent/height.bmp";
    Run(ID_VIEW_HEIGHTMAP);
    EXPECT_EQ(backend.statusText, "ハイトマップのファイルが読み込めません: /nonexistent/height.bmp");
    EXPECT_EQ(std::tuple(doc.m_visibleMap, doc.m_course.m_mapTexture, doc.IsModified()), std::tuple(1, shown, false));
}
}  // namespace
