#pragma once

#include "file/MapImage.h"
#include "geometry/CourseMeshes.h"
#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"
#include "geometry/TerrainHeights.h"
#include "view/PreviewBuffer.h"
#include "view/PreviewCamera.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CTrackwrightDoc;

// One object of the preview: a box of kBoxHeight on its footprint, in world coordinates.
struct PreviewBox {
    float corners[4][3];   // the footprint on the ground, counter-clockwise seen from above
    float top = 0.0f;      // world height of the lid
    int mark = 0;          // PreviewMark
};

enum PreviewMark : int { kMarkNone = 0, kMarkHovered = 1, kMarkSelected = 2 };

// The GL steps a test can make fail; null takes the GL's own. uploadTexture gives the bound texture
// its pixels (height rows of width texels of components bytes, 3 for r g b, 1 for grey) and says
// whether the GL took them. contextLost says whether the context the scene's buffer and texture
// (0 for none) were made on is gone: the GL's own answer is that the current context no longer
// knows them (a lost or new context). Either way the terrain is drawn grey and the status bar says why.
struct PreviewGlSteps {
    bool (*uploadTexture)(int width, int height, int components, const std::uint8_t* pixels) = nullptr;
    bool (*contextLost)(unsigned buffer, unsigned texture) = nullptr;
};

// What the 3-D preview draws: the export's road, border and terrain meshes and a box per
// object, with the terrain's texture, and the GL steps that draw them from a camera. The maps
// are read from their files once per path; the course parts are rebuilt by Update.
class PreviewScene {
public:
    static constexpr float kBoxHeight = 2.0f;

    explicit PreviewScene(PreviewGlSteps steps = {}) : m_steps(steps) {}
    PreviewScene(const PreviewScene&) = delete;
    PreviewScene& operator=(const PreviewScene&) = delete;
    ~PreviewScene();

    // Takes the document's course, objects and maps. Only what changed is built again: the
    // terrain when a map path or the height scale changed, the road and borders when a control
    // point changed, the boxes when an object changed. Handles and objects whose values fail the
    // value rule are left out and named by Problem().
    void Update(const CTrackwrightDoc& doc, double heightScale = kDefaultHeightScale);
    // Marks of the hovered and selected parts (one flag per control point and object; empty
    // for none), drawn in the top-down view's colours.
    void SetMarks(const std::vector<int>& handleMarks, const std::vector<int>& objectMarks);

    // Draws a frame into the current context's viewport of width x height pixels. The first
    // frame after a map changed uploads its texture; a failed upload draws the ground grey and
    // says so in the status bar. A frame that finds its context lost forgets what it had made on
    // it, makes the buffers again, draws the ground grey and says so; a new map tries the texture again.
    void Draw(const PreviewCamera& camera, int width, int height);
    // Lets go of the texture and buffers; call with the context they were made on current.
    void ReleaseGl();

    // The box around the road, borders and objects (the map square when there are none).
    WorldBounds Bounds() const;
    const HeightField& Heights() const { return m_heights; }
    const RecordList<CourseHandle>& Handles() const { return m_handles; }
    const CourseMeshes& Meshes() const { return m_meshes; }
    const std::vector<PreviewBox>& Boxes() const { return m_boxes; }
    // Empty, or why part of the course is not drawn.
    const std::string& Problem() const { return m_problem; }
    bool TerrainTextured() const { return m_texture != 0; }
    // The rows the last frame stepped over at a time (PreviewDetail.h): 1 draws every row.
    int TerrainStride() const { return m_terrainStride; }
    int RoadStride() const { return m_roadStride; }
    // How many times the road and borders (and the boxes) were built: a test of what an edit rebuilds.
    int RoadBuilds() const { return m_roadBuilds; }
    int BoxBuilds() const { return m_boxBuilds; }
    int TerrainBuilds() const { return m_terrainBuilds; }
    // How many times only the spans at one moved control point were built again.
    int SpanUpdates() const { return m_spanUpdates; }

private:
    void ReadMaps(const CTrackwrightDoc& doc, double heightScale);
    void UploadTexture();
    // Forgets every GL name without asking the GL; the next frame makes the buffers again.
    void ForgetGl();
    // Brings the part's buffer up to date when stale and draws it; from the arrays when the GL would
    // not take them.
    void DrawPart(PreviewBuffer& buffer, bool& stale, const Mesh& mesh, const std::vector<float>& colours = {});
    // Fills the terrain's and the road's buffers where stale and sets their level of detail for a
    // camera at eye seeing pixelsPerUnit pixels of a unit at distance one.
    void PrepareParts(const WorldPoint& eye, double pixelsPerUnit);
    void DrawHandleMarks() const;

    // The inputs the parts were last built from.
    std::string m_heightPath;
    std::string m_colorPath;
    std::string m_coursePath;
    double m_scale = -1.0;
    std::vector<CourseHandle> m_builtHandles;
    std::vector<XObject> m_builtObjects;

    std::unique_ptr<std::uint8_t[]> m_heightPixels;
    MapImageInfo m_heightInfo;
    std::unique_ptr<std::uint8_t[]> m_colorPixels;   // until uploaded
    MapImageInfo m_colorInfo;
    HeightField m_heights;
    RecordList<CourseHandle> m_handles;   // the drawable ones
    CourseMeshes m_meshes;
    std::vector<PreviewBox> m_boxes;
    std::vector<int> m_handleMarks;
    std::string m_problem;

    PreviewGlSteps m_steps;
    unsigned m_texture = 0;
    bool m_textureWanted = false;   // a map to upload on the next frame
    // The terrain (in column bands), the road, its borders and the boxes as the GL keeps them, each
    // filled again after it changed.
    PreviewBuffer m_terrainBuffer;
    PreviewBuffer m_roadBuffer;
    PreviewBuffer m_borderBuffer;
    PreviewBuffer m_boxBuffer;
    bool m_terrainStale = true;
    bool m_roadStale = true;
    bool m_boxesStale = true;
    int m_terrainStride = 1;
    int m_roadStride = 1;
    WorldBounds m_terrainBounds;
    WorldBounds m_roadBounds;
    double m_roadSpacing = 0.0;   // the widest step between two rows of the road or a border
    Mesh m_boxMesh;
    std::vector<float> m_boxColours;
    int m_roadBuilds = 0;
    int m_boxBuilds = 0;
    int m_terrainBuilds = 0;
    int m_spanUpdates = 0;
};
