// Buffer names are GL 1.5, declared past GL 1.1's header only with the prototypes.
#define GL_GLEXT_PROTOTYPES
#include "view/PreviewScene.h"

#include "document/TrackwrightDoc.h"
#include "file/MapPath.h"
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "geometry/MapSquare.h"
#include "geometry/ObjectFootprint.h"
#include "geometry/ValueLimits.h"
#include "res/Resource.h"
#include "view/GlLines.h"
#include "view/PreviewDetail.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

constexpr Rgb kAsphalt{0.42f, 0.42f, 0.45f};
constexpr Rgb kBorderWhite{0.95f, 0.95f, 0.95f};
constexpr Rgb kGround{0.55f, 0.55f, 0.55f};
constexpr Rgb kObjectTan{0.80f, 0.62f, 0.35f};
// The top-down view's hover red and selection yellow.
constexpr Rgb kHoverRed{1.0f, 0.0f, 0.0f};
constexpr Rgb kSelectedYellow{1.0f, 1.0f, 0.0f};
constexpr float kMarkPostHeight = 4.0f;
constexpr float kMarkPostHalf = 0.4f;
// The terrain's column bands: two rows of a band fill the software renderer's vertex cache (256).
constexpr std::int32_t kBandQuads = 127;

// Bitwise, as the look of a frame compares: a NaN equals itself.
bool SameBits(const Vector3& a, const Vector3& b)
{
    return std::memcmp(&a.x, &b.x, sizeof(float)) == 0 && std::memcmp(&a.y, &b.y, sizeof(float)) == 0;
}

bool SameFloat(float a, float b)
{
    return std::memcmp(&a, &b, sizeof(float)) == 0;
}

// The stored values the road reads (not the hover and drag state).
bool SameRoad(const CourseHandle& a, const CourseHandle& b)
{
    return SameBits(a.vPos, b.vPos) && SameBits(a.vTanNext, b.vTanNext) && SameBits(a.vTanPrev, b.vTanPrev) &&
           SameFloat(a.WidthLeft, b.WidthLeft) && SameFloat(a.WidthRight, b.WidthRight);
}

bool SameBox(const XObject& a, const XObject& b)
{
    return SameBits(a.Pos, b.Pos) && SameFloat(a.Direction, b.Direction) && SameFloat(a.Width, b.Width) &&
           SameFloat(a.Height, b.Height);
}

void SetColour(const Rgb& c)
{
    glColor3f(c.r, c.g, c.b);
}

const Rgb& MarkColour(int mark, const Rgb& plain)
{
    if (mark == kMarkHovered)
        return kHoverRed;
    if (mark == kMarkSelected)
        return kSelectedYellow;
    return plain;
}

PreviewBox BoxOf(const XObject& o, const HeightField& heights)
{
    PreviewBox box;
    const std::array<Vector3, 4> corners = FootprintCorners(o, 1.0f);
    const double ground = HeightAt(heights, o.Pos.x, o.Pos.y);
    // A mirrored footprint (negative size) still goes round counter-clockwise.
    const double turn = (double(corners[1].x) - corners[0].x) * (double(corners[2].y) - corners[0].y) -
                        (double(corners[1].y) - corners[0].y) * (double(corners[2].x) - corners[0].x);
    for (int k = 0; k < 4; ++k) {
        const Vector3& c = corners[static_cast<std::size_t>(turn >= 0.0 ? k : 3 - k)];
        box.corners[k][0] = c.x;
        box.corners[k][1] = static_cast<float>(ground);
        box.corners[k][2] = -c.y;
    }
    box.top = static_cast<float>(ground + PreviewScene::kBoxHeight);
    return box;
}

bool UploadPixels(int width, int height, int components, const std::uint8_t* pixels)
{
    const GLenum format = components == 3 ? GL_RGB : GL_LUMINANCE;
    glTexImage2D(GL_TEXTURE_2D, 0, GLint(format), width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    return glGetError() == GL_NO_ERROR;
}

bool ContextForgot(unsigned buffer, unsigned texture)
{
    return (buffer != 0 && !glIsBuffer(buffer)) || (texture != 0 && !glIsTexture(texture));
}

// The boxes as one mesh: each side and the lid a quad of their own (flat normals), coloured by mark.
void BoxMesh(const std::vector<PreviewBox>& boxes, Mesh& mesh, std::vector<float>& colours)
{
    mesh = {};
    colours.clear();
    const auto quad = [&](const float (&q)[4][3], double nx, double nz, double ny, const Rgb& c) {
        const auto first = static_cast<std::uint32_t>(mesh.VertexCount());
        for (const auto& v : q) {
            mesh.positions.insert(mesh.positions.end(), {v[0], v[1], v[2]});
            mesh.normals.insert(mesh.normals.end(), {float(nx), float(ny), float(nz)});
            colours.insert(colours.end(), {c.r, c.g, c.b});
        }
        mesh.indices.insert(mesh.indices.end(), {first, first + 1, first + 2, first, first + 2, first + 3});
    };
    for (const PreviewBox& box : boxes) {
        if (box.top == box.corners[0][1])
            continue;
        const Rgb& colour = MarkColour(box.mark, kObjectTan);
        for (int k = 0; k < 4; ++k) {
            const float* a = box.corners[k];
            const float* b = box.corners[(k + 1) % 4];
            // Outward: the edge turned a quarter clockwise seen from above.
            const double ex = double(b[0]) - a[0];
            const double ez = double(b[2]) - a[2];
            const double el = std::hypot(ex, ez);
            const float side[4][3] = {{a[0], a[1], a[2]}, {b[0], b[1], b[2]}, {b[0], box.top, b[2]}, {a[0], box.top, a[2]}};
            quad(side, el > 0 ? ez / el : 0.0, el > 0 ? -ex / el : 0.0, 0.0, colour);
        }
        float lid[4][3];
        for (int k = 0; k < 4; ++k) {
            lid[k][0] = box.corners[k][0];
            lid[k][1] = box.top;
            lid[k][2] = box.corners[k][2];
        }
        quad(lid, 0.0, 0.0, 1.0, colour);
    }
}

}  // namespace

PreviewScene::~PreviewScene() = default;

void PreviewScene::ReadMaps(const CTrackwrightDoc& doc, double heightScale)
{
    const std::string& coursePath = doc.GetPathName();
    if (doc.m_heightMap == m_heightPath && doc.m_colorMap == m_colorPath && coursePath == m_coursePath &&
        heightScale == m_scale)
        return;
    m_heightPath = doc.m_heightMap;
    m_colorPath = doc.m_colorMap;
    m_coursePath = coursePath;
    m_scale = heightScale;
    m_heightPixels.reset();
    m_heightInfo = {};
    m_colorPixels.reset();
    m_colorInfo = {};
    // A map that cannot be read was named in the status bar when the document opened it.
    if (!m_heightPath.empty())
        m_heightPixels = ReadBmp(MapFileToRead(m_heightPath, coursePath), m_heightInfo);
    if (!m_colorPath.empty())
        m_colorPixels = ReadBmp(MapFileToRead(m_colorPath, coursePath), m_colorInfo);
    m_heights = {};
    if (m_heightPixels) {
        m_heights.pixels = m_heightPixels.get();
        m_heights.width = m_heightInfo.width;
        m_heights.height = m_heightInfo.height;
        m_heights.components = m_heightInfo.components;
    }
    m_heights.scale = heightScale;
    m_meshes.terrain = TerrainMesh(m_heights);
    ++m_terrainBuilds;
    m_terrainStale = true;
    m_textureWanted = true;
    // Every height may have moved.
    m_builtHandles.clear();
    m_builtObjects.clear();
    m_meshes.road = {};
}

void PreviewScene::Update(const CTrackwrightDoc& doc, double heightScale)
{
    ReadMaps(doc, heightScale);
    std::string problem;

    const RecordList<CourseHandle>& handles = doc.m_course.m_handles;
    const bool sameSize = std::size_t(handles.GetSize()) == m_builtHandles.size() && !m_meshes.road.positions.empty();
    int changed = 0;
    int moved = -1;
    for (int i = 0; sameSize && i < handles.GetSize(); ++i) {
        if (!SameRoad(handles[i], m_builtHandles[std::size_t(i)])) {
            ++changed;
            moved = i;
        }
    }
    // One control point moved (a drag's step) and every point drawable before and after: only the
    // spans meeting at it are built again.
    const bool allDrawn = m_handles.GetSize() == handles.GetSize();
    if (sameSize && changed == 1 && allDrawn && HandleValuesUsable(handles[moved])) {
        m_handles[moved] = handles[moved];
        if (UpdateRoadSpans(m_meshes.road, m_handles, m_heights, moved) &&
            UpdateBorderSpans(m_meshes.borders, m_handles, m_heights, moved)) {
            m_builtHandles[std::size_t(moved)] = handles[moved];
            ++m_spanUpdates;
            m_roadStale = true;
            changed = 0;
        }
    }
    const bool roadChanged = !sameSize || changed > 0;
    if (roadChanged) {
        m_builtHandles.assign(handles.begin(), handles.end());
        m_handles.RemoveAll();
        for (const CourseHandle& h : handles) {
            if (HandleValuesUsable(h))
                m_handles.Add(h);
        }
        m_meshes.road = RoadMesh(m_handles, m_heights);
        m_meshes.borders = BorderMesh(m_handles, m_heights);
        ++m_roadBuilds;
        m_roadStale = true;
    }
    if (m_handles.GetSize() != handles.GetSize())
        problem = AfxLoadString(IDS_PREVIEW_BAD_VALUES);

    const RecordList<XObject>& objects = doc.m_xobjects;
    const std::size_t n = std::size_t(objects.GetSize());
    if (n != m_builtObjects.size()) {
        m_builtObjects.clear();
        m_boxes.clear();
        m_boxesStale = true;
    }
    bool boxesBuilt = false;
    for (std::size_t i = 0; i < n; ++i) {
        const XObject& o = objects[int(i)];
        if (i < m_builtObjects.size() && SameBox(o, m_builtObjects[i]))
            continue;
        if (i >= m_builtObjects.size()) {
            m_builtObjects.push_back(o);
            m_boxes.emplace_back();
        }
        m_builtObjects[i] = o;
        // An object the value rule refuses stands nowhere: a box with no extent is not drawn.
        m_boxes[i] = ObjectValuesUsable(o) ? BoxOf(o, m_heights) : PreviewBox{};
        boxesBuilt = true;
    }
    if (boxesBuilt) {
        ++m_boxBuilds;
        m_boxesStale = true;
    }
    for (const XObject& o : objects) {
        if (!ObjectValuesUsable(o))
            problem = AfxLoadString(IDS_PREVIEW_BAD_VALUES);
    }
    m_problem = problem;
}

void PreviewScene::SetMarks(const std::vector<int>& handleMarks, const std::vector<int>& objectMarks)
{
    m_handleMarks = handleMarks;
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        const int mark = i < objectMarks.size() ? objectMarks[i] : kMarkNone;
        if (m_boxes[i].mark != mark)
            m_boxesStale = true;
        m_boxes[i].mark = mark;
    }
}

WorldBounds PreviewScene::Bounds() const
{
    WorldBounds b;
    for (const Mesh* m : {&m_meshes.road, &m_meshes.borders}) {
        for (std::size_t k = 0; k + 2 < m->positions.size(); k += 3)
            b.Add(m->positions[k], m->positions[k + 1], m->positions[k + 2]);
    }
    for (const PreviewBox& box : m_boxes) {
        for (const auto& c : box.corners) {
            if (box.top != c[1]) {
                b.Add(c[0], c[1], c[2]);
                b.Add(c[0], box.top, c[2]);
            }
        }
    }
    return b;
}

void PreviewScene::ReleaseGl()
{
    if (m_texture != 0)
        glDeleteTextures(1, &m_texture);
    for (PreviewBuffer* b : {&m_terrainBuffer, &m_roadBuffer, &m_borderBuffer, &m_boxBuffer})
        b->Release();
    ForgetGl();
    m_textureWanted = m_heightPixels || m_colorInfo.width > 0;
}

void PreviewScene::ForgetGl()
{
    m_texture = 0;
    for (PreviewBuffer* b : {&m_terrainBuffer, &m_roadBuffer, &m_borderBuffer, &m_boxBuffer})
        b->Forget();
    m_terrainStale = true;
    m_roadStale = true;
    m_boxesStale = true;
}

void PreviewScene::UploadTexture()
{
    m_textureWanted = false;
    if (m_texture != 0)
        glDeleteTextures(1, &m_texture);
    m_texture = 0;
    // The colour map when one is set, else the height map's grey.
    const std::uint8_t* pixels = m_colorPixels ? m_colorPixels.get() : m_heightPixels.get();
    const MapImageInfo info = m_colorPixels ? m_colorInfo : m_heightInfo;
    if (!pixels || info.width <= 0 || info.height <= 0)
        return;
    while (glGetError() != GL_NO_ERROR) {
    }
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    // A map larger than the GL takes is sampled at a fixed stride, as the terrain samples heights.
    const std::int32_t stride = maxSide > 0 ? std::max(1, (std::max(info.width, info.height) + maxSide - 1) / maxSide) : 1;
    const std::int32_t w = (info.width + stride - 1) / stride;
    const std::int32_t h = (info.height + stride - 1) / stride;
    const std::size_t bpp = std::size_t(info.components);
    std::vector<std::uint8_t> sampled;
    if (stride > 1) {
        sampled.resize(std::size_t(w) * std::size_t(h) * bpp);
        for (std::int32_t r = 0; r < h; ++r)
            for (std::int32_t c = 0; c < w; ++c)
                std::memcpy(&sampled[(std::size_t(r) * std::size_t(w) + std::size_t(c)) * bpp],
                            &pixels[(std::size_t(r) * stride * std::size_t(info.width) + std::size_t(c) * stride) * bpp], bpp);
        pixels = sampled.data();
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Mipmaps: a large map seen from afar is read from a level near the screen's size, not
    // texel by scattered texel from the whole map.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    const bool taken = (m_steps.uploadTexture ? m_steps.uploadTexture : UploadPixels)(w, h, info.components, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
    if (!taken || name == 0) {
        if (name != 0)
            glDeleteTextures(1, &name);
        AfxSetStatusText(std::string(AfxLoadString(IDS_PREVIEW_TEXTURE_FAILED)));
        return;
    }
    m_texture = name;
}

void PreviewScene::DrawPart(PreviewBuffer& buffer, bool& stale, const Mesh& mesh, const std::vector<float>& colours)
{
    if (stale) {
        stale = false;
        buffer.Fill(mesh, colours);
    }
    if (buffer.Filled()) {
        buffer.Draw();
        return;
    }
    if (mesh.indices.empty())
        return;
    glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
    glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
    if (!colours.empty()) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, 0, colours.data());
    }
    glDrawElements(GL_TRIANGLES, GLsizei(mesh.indices.size()), GL_UNSIGNED_INT, mesh.indices.data());
    glDisableClientState(GL_COLOR_ARRAY);
}

void PreviewScene::PrepareParts(const WorldPoint& eye, double pixelsPerUnit)
{
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    TerrainGridSize(m_heights, columns, rows);
    if (m_terrainStale) {
        m_terrainStale = false;
        m_terrainBuffer.Fill(TerrainInBands(m_meshes.terrain, columns, rows, kBandQuads));
        m_terrainStride = 1;
        m_terrainBounds = {};
        const std::vector<float>& p = m_meshes.terrain.positions;
        for (std::size_t k = 0; k + 2 < p.size(); k += 3)
            m_terrainBounds.Add(p[k], p[k + 1], p[k + 2]);
    }
    const double cell = std::max(kMapSquareSide / double(columns - 1), kMapSquareSide / double(rows - 1));
    const int terrainStride = DetailStride(cell, NearestDistance(m_terrainBounds, eye), pixelsPerUnit, 0.0);
    if (terrainStride != m_terrainStride && m_terrainBuffer.Filled()) {
        m_terrainBuffer.FillIndices(TerrainBandIndices(columns, rows, kBandQuads, terrainStride));
        m_terrainStride = terrainStride;
    }

    // The road's and the borders' rows: one per sample of the ring.
    const std::size_t ringRows = m_handles.GetSize() > 0 ? std::size_t(m_handles.GetSize()) * kMeshSegments + 1 : 0;
    const std::size_t across = ringRows > 0 ? m_meshes.road.VertexCount() / ringRows : 0;
    if (m_roadStale) {
        m_roadStale = false;
        m_roadBuffer.Fill(m_meshes.road);
        m_borderBuffer.Fill(m_meshes.borders);
        m_roadStride = 1;
        m_roadBounds = {};
        m_roadSpacing = 0.0;
        // The borders run along the road's edges: its rows' steps are theirs. Across the ground only:
        // the texel bound below keeps the climbs.
        const std::vector<float>& p = m_meshes.road.positions;
        const std::size_t step = 3 * across;
        for (std::size_t k = 0; k + 2 < p.size(); k += 3) {
            m_roadBounds.Add(p[k], p[k + 1], p[k + 2]);
            if (k + step + 2 < p.size())
                m_roadSpacing = std::max(m_roadSpacing, double(std::hypot(p[k + step] - p[k], p[k + step + 2] - p[k + 2])));
        }
    }
    // Never past a texel of the height map, so the road's chords do not cut under the ground's bumps.
    const double texel = m_heights.pixels ? kMapSquareSide / std::max(m_heights.width, m_heights.height) : 0.0;
    const int roadStride = across > 0 && m_roadBuffer.VertexBuffer() != 0 && ringRows * across == m_meshes.road.VertexCount() &&
                                   m_meshes.borders.VertexCount() == 4 * ringRows
                               ? DetailStride(m_roadSpacing, NearestDistance(m_roadBounds, eye), pixelsPerUnit, texel)
                               : 1;
    if (roadStride != m_roadStride && m_roadBuffer.Filled() && m_borderBuffer.Filled()) {
        m_roadBuffer.FillIndices(RowsAtStride(m_meshes.road.indices, 1, ringRows, std::uint32_t(across), roadStride));
        m_borderBuffer.FillIndices(RowsAtStride(m_meshes.borders.indices, 2, ringRows, 2, roadStride));
        m_roadStride = roadStride;
    }
}

void PreviewScene::DrawHandleMarks() const
{
    // A marked control point gets a post in its colour standing on the road.
    glBegin(GL_QUADS);
    for (int i = 0; i < m_handles.GetSize() && std::size_t(i) < m_handleMarks.size(); ++i) {
        const int mark = m_handleMarks[std::size_t(i)];
        if (mark == kMarkNone)
            continue;
        SetColour(MarkColour(mark, kWhite));
        const Vector3& p = m_handles[i].vPos;
        const float y0 = static_cast<float>(HeightAt(m_heights, p.x, p.y));
        const float y1 = y0 + kMarkPostHeight;
        const float x = p.x;
        const float z = -p.y;
        const float s = kMarkPostHalf;
        const float ring[5][2] = {{x - s, z + s}, {x + s, z + s}, {x + s, z - s}, {x - s, z - s}, {x - s, z + s}};
        for (int k = 0; k < 4; ++k) {
            glNormal3f((ring[k][1] - z + ring[k + 1][1] - z) / (2 * s), 0.0f, -(ring[k][0] - x + ring[k + 1][0] - x) / (2 * s));
            glVertex3f(ring[k][0], y0, ring[k][1]);
            glVertex3f(ring[k + 1][0], y0, ring[k + 1][1]);
            glVertex3f(ring[k + 1][0], y1, ring[k + 1][1]);
            glVertex3f(ring[k][0], y1, ring[k][1]);
        }
    }
    glEnd();
}

void PreviewScene::Draw(const PreviewCamera& camera, int width, int height)
{
    // Names the current context does not know were made on one that is gone: made again, but
    // the map's texture only when the map changes, so a context that keeps failing is not fed it.
    unsigned buffer = m_terrainBuffer.VertexBuffer();
    for (const PreviewBuffer* b : {&m_roadBuffer, &m_borderBuffer, &m_boxBuffer})
        buffer = buffer != 0 ? buffer : b->VertexBuffer();
    if ((m_steps.contextLost ? m_steps.contextLost : ContextForgot)(buffer, m_texture)) {
        ForgetGl();
        m_textureWanted = false;
        AfxSetStatusText(std::string(AfxLoadString(IDS_PREVIEW_CONTEXT_LOST)));
    }
    if (m_textureWanted)
        UploadTexture();
    PrepareParts(camera.Eye(), height / 2.0 / std::tan(PreviewCamera::kFovY * std::numbers::pi / 360.0));
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glViewport(0, 0, width, height);
    glClearColor(0.62f, 0.74f, 0.88f, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const WorldBounds b = Bounds();
    const double radius = b.Empty() ? 0.0 : 0.5 * std::hypot(b.max.x - b.min.x, b.max.y - b.min.y, b.max.z - b.min.z);
    double zNear = 0.0;
    double zFar = 0.0;
    camera.ClipPlanes(radius + std::hypot(camera.target.x, camera.target.y, camera.target.z), zNear, zFar);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(PreviewCamera::kFovY, height > 0 ? double(width) / height : 1.0, zNear, zFar);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const WorldPoint eye = camera.Eye();
    gluLookAt(eye.x, eye.y, eye.z, camera.target.x, camera.target.y, camera.target.z, 0.0, 1.0, 0.0);

    // A fixed sun from the upper left behind the viewer of the Home view, given in world space.
    const GLfloat sun[4] = {-0.35f, 0.85f, 0.40f, 0.0f};
    const GLfloat diffuse[4] = {0.75f, 0.75f, 0.75f, 1.0f};
    const GLfloat ambient[4] = {0.35f, 0.35f, 0.35f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, sun);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    const GLfloat noAmbient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(GL_SMOOTH);
    glDisable(GL_CULL_FACE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);

    SetColour(kAsphalt);
    DrawPart(m_roadBuffer, m_roadStale, m_meshes.road);
    SetColour(kBorderWhite);
    DrawPart(m_borderBuffer, m_roadStale, m_meshes.borders);
    if (m_boxesStale)
        BoxMesh(m_boxes, m_boxMesh, m_boxColours);
    // A box is closed: its inner faces never show.
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    DrawPart(m_boxBuffer, m_boxesStale, m_boxMesh, m_boxColours);
    glDisable(GL_CULL_FACE);

    // The ground: the map as the view lays it on the map square (texture coordinates from the
    // course position, rows from the square's lower edge), pushed back in depth so the road
    // lying just above it always wins. Drawn after the road and the boxes, so the renderer skips
    // shading the ground they hide.
    if (m_texture != 0) {
        const GLdouble sPlane[4] = {1.0 / kMapSquareSide, 0.0, 0.0, 0.5};
        const GLdouble tPlane[4] = {0.0, 0.0, -1.0 / kMapSquareSide, 0.5};
        glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
        glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
        glTexGendv(GL_S, GL_OBJECT_PLANE, sPlane);
        glTexGendv(GL_T, GL_OBJECT_PLANE, tPlane);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
        glBindTexture(GL_TEXTURE_2D, m_texture);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glEnable(GL_TEXTURE_2D);
        SetColour(kWhite);
    } else {
        SetColour(kGround);
    }
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 4.0f);
    DrawPart(m_terrainBuffer, m_terrainStale, m_meshes.terrain);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    DrawHandleMarks();

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
    glFlush();
}
