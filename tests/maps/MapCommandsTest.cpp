#include "support/BmpWriter.h"
#include "support/GlFixture.h"
#include "support/TestBackend.h"

#include "doc/TrackwrightDoc.h"
#include "framework/CView.h"
#include "res/Resource.h"
#include "res/TrackwrightResources.h"

#include <GL/gl.h>

#include <cstdio>

namespace {

// Records what the document asks its views to do.
class CountingView : public CView {
public:
    void OnUpdate(CView* pSender, long lHint, void* pHint) override
    {
        ++updates;
        lastHint = lHint;
        EXPECT_EQ(pSender, nullptr);
        EXPECT_EQ(pHint, nullptr);
    }
    int updates = 0;
    long lastHint = -1;
};

std::string SmallMap(const std::string& name)
{
    BmpLayout layout;
    layout.width = 4;
    layout.height = 4;
    return WriteTempFile(name, MakeBmp(layout, PaddedRows(12, 4)));
}

struct ItemState {
    bool enabled;
    int check;
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

    // The state the menu would give the item, asked through the document's message map.
    ItemState Update(UINT id)
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

}  // namespace

TEST_F(MapCommands, ItemsAreEnabledByTheirPathsAndCheckedByTheShownMap)
{
    doc.m_heightMap.clear();
    doc.m_colorMap = "colour.bmp";
    doc.m_visibleMap = 0;
    EXPECT_FALSE(Update(ID_VIEW_HEIGHTMAP).enabled);
    EXPECT_TRUE(Update(ID_VIEW_COLORMAP).enabled);

    doc.m_heightMap = "height.bmp";
    EXPECT_TRUE(Update(ID_VIEW_HEIGHTMAP).enabled);
    EXPECT_EQ(Update(ID_VIEW_HEIGHTMAP).check, 1);
    EXPECT_EQ(Update(ID_VIEW_COLORMAP).check, 0);

    doc.m_visibleMap = 1;
    EXPECT_EQ(Update(ID_VIEW_HEIGHTMAP).check, 0);
    EXPECT_EQ(Update(ID_VIEW_COLORMAP).check, 1);

    doc.m_visibleMap = 2;   // a course file may hold any number here
    EXPECT_EQ(Update(ID_VIEW_HEIGHTMAP).check, 0);
    EXPECT_EQ(Update(ID_VIEW_COLORMAP).check, 0);
}

TEST_F(MapCommands, ChoosingAMapLoadsItSwitchesTheMarkMarksTheCourseAndRepaints)
{
    doc.m_heightMap = SmallMap("height.bmp");
    doc.m_colorMap = SmallMap("colour.bmp");
    doc.m_visibleMap = 0;

    Run(ID_VIEW_COLORMAP);
    EXPECT_EQ(doc.m_visibleMap, 1);
    EXPECT_TRUE(doc.IsModified());   // the choice is stored in the course file
    doc.SetModifiedFlag(false);
    EXPECT_EQ(Update(ID_VIEW_COLORMAP).check, 1);
    EXPECT_EQ(view.updates, 1);
    EXPECT_EQ(view.lastHint, 0);
    const GLuint colour = doc.m_course.m_mapTexture;
    EXPECT_TRUE(glIsTexture(colour));
    EXPECT_TRUE(doc.m_course.m_mapPixels);

    // The map already shown is read again into a new texture; nothing stored changes.
    Run(ID_VIEW_COLORMAP);
    EXPECT_NE(doc.m_course.m_mapTexture, colour);
    EXPECT_TRUE(glIsTexture(doc.m_course.m_mapTexture));
    EXPECT_FALSE(doc.IsModified());

    // A map that cannot be read is reported and changes nothing.
    const GLuint shown = doc.m_course.m_mapTexture;
    const std::string height = doc.m_heightMap;
    doc.m_heightMap = "/nonexistent/height.bmp";
    Run(ID_VIEW_HEIGHTMAP);
    EXPECT_EQ(backend.statusText, "ハイトマップのファイルが読み込めません: /nonexistent/height.bmp");
    EXPECT_EQ(doc.m_visibleMap, 1);
    EXPECT_EQ(doc.m_course.m_mapTexture, shown);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.updates, 2);
    doc.m_heightMap = height;

    Run(ID_VIEW_HEIGHTMAP);
    EXPECT_EQ(doc.m_visibleMap, 0);
    EXPECT_EQ(Update(ID_VIEW_HEIGHTMAP).check, 1);
    EXPECT_EQ(view.updates, 3);
}

TEST_F(MapCommands, UndoAndRedoOfASwitchReadTheShownMapAgain)
{
    doc.m_heightMap = SmallMap("undo_height.bmp");
    BmpLayout wide;
    wide.width = 8;
    wide.height = 4;
    doc.m_colorMap = WriteTempFile("undo_colour.bmp", MakeBmp(wide, PaddedRows(24, 4)));
    doc.m_visibleMap = 0;

    Run(ID_VIEW_COLORMAP);
    EXPECT_EQ(doc.m_course.m_mapInfo.width, 8);
    EXPECT_TRUE(doc.IsModified());   // the shown map is stored in the course
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(doc.m_visibleMap, 0);
    EXPECT_EQ(doc.m_course.m_mapInfo.width, 4);
    EXPECT_FALSE(doc.IsModified());
    Run(ID_EDIT_REDO);
    EXPECT_EQ(doc.m_visibleMap, 1);
    EXPECT_EQ(doc.m_course.m_mapInfo.width, 8);
    EXPECT_EQ(view.updates, 3);
}
