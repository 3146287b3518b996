// The View menu's choice of map and its texture. (Maps too big for the GL: MapImageTest, the settings test.)
#include "support/BmpWriter.h"
#include "support/GlFixture.h"
#include "support/TestBackend.h"
#include "document/TrackwrightDoc.h"
#include "res/Resource.h"
#include "res/TrackwrightResources.h"

#include <GL/gl.h>

namespace {

using MapCommands = GlFixture;

struct CountingView : CView {
    void OnUpdate(CView*, long, void*) override { ++updates; }
    int updates = 0;
};

// The View menu's map items are enabled by their paths and checked by the shown map. Choosing one loads
// it, marks the course (the choice is stored) and repaints; undo and redo of the switch read the map again.
TEST_F(MapCommands, ItemsFollowThePathsAndTheShownMapAndChoosingAMapLoadsIt)
{
    AfxSetResources(&TrackwrightResources());
    TestBackend backend;
    CTrackwrightDoc doc;
    CountingView view;
    doc.AddView(&view);
    const auto item = [&doc](UINT id) {   // (enabled, check)
        CCmdUI ui(id);
        EXPECT_TRUE(doc.OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui));
        return std::pair(ui.m_bEnabled, ui.m_nCheck);
    };
    const auto run = [&doc](UINT id) { EXPECT_TRUE(doc.OnCmdMsg(id, CN_COMMAND, nullptr)); };
    EXPECT_FALSE(doc.m_course.LoadMapTexture(""));   // no path, no map
    doc.m_colorMap = "colour.bmp";
    using Items = std::pair<std::pair<bool, int>, std::pair<bool, int>>;
    EXPECT_EQ(std::pair(item(ID_VIEW_HEIGHTMAP), item(ID_VIEW_COLORMAP)), Items({false, 1}, {true, 0}));
    doc.m_heightMap = "height.bmp";
    doc.m_visibleMap = 1;
    EXPECT_EQ(std::pair(item(ID_VIEW_HEIGHTMAP), item(ID_VIEW_COLORMAP)), Items({true, 0}, {true, 1}));

    doc.m_heightMap = WriteTempFile("height.bmp", MakeBmp({.width = 4, .height = 4}, PaddedRows(12, 4)));
    doc.m_colorMap = WriteTempFile("colour.bmp", MakeBmp({.width = 8, .height = 4}, PaddedRows(24, 4)));
    doc.m_visibleMap = 0;
    run(ID_VIEW_COLORMAP);
    EXPECT_EQ(std::tuple(doc.m_visibleMap, doc.m_course.m_mapInfo.width, doc.IsModified(), view.updates),
              std::tuple(1, 8, true, 1));
    // Its texture has the whole mipmap chain down to 1 x 1 (the reader's pixels: MapImageTest).
    GLint last = 0;
    glBindTexture(GL_TEXTURE_2D, doc.m_course.m_mapTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH, &last);
    EXPECT_EQ(std::pair(last, glGetError()), std::pair(1, GLenum(GL_NO_ERROR)));
    run(ID_EDIT_UNDO);
    EXPECT_EQ(std::tuple(doc.m_visibleMap, doc.m_course.m_mapInfo.width, doc.IsModified()), std::tuple(0, 4, false));
    // A map that cannot be read is reported and changes nothing.
    const GLuint shown = doc.m_course.m_mapTexture;
    doc.m_heightMap = "/nonexistent/height.bmp";
    run(ID_VIEW_HEIGHTMAP);
    EXPECT_EQ(backend.statusText, "ハイトマップのファイルが読み込めません: /nonexistent/height.bmp");
    EXPECT_EQ(std::tuple(doc.m_visibleMap, doc.m_course.m_mapTexture, doc.IsModified()), std::tuple(0, shown, false));
    run(ID_EDIT_REDO);
    EXPECT_EQ(std::tuple(doc.m_visibleMap, doc.m_course.m_mapInfo.width, view.updates), std::tuple(1, 8, 3));
    doc.RemoveView(&view);
}

}  // namespace
