// The 3-D preview: its camera steps against a projection computed here (not GLU's), the headless
// Home view's pixels where that projection puts the road and the colour map, what an edit rebuilds,
// and a course the value rule refuses in part.
#include "support/BmpWriter.h"
#include "support/GlFixture.h"
#include "support/Handles.h"
#include "support/TestBackend.h"

#include "app/RenderCommand.h"
#include "document/TrackwrightDoc.h"
#include "file/CourseFile.h"
#include "geometry/CourseMeshes.h"
#include "geometry/XObjectQueries.h"
#include "res/Resource.h"
#include "res/TrackwrightResources.h"
#include "view/PreviewBuffer.h"
#include "view/PreviewCamera.h"
#include "view/PreviewDetail.h"
#include "view/PreviewScene.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 400;

// Where a world point lands, in window pixels from the top left, for a camera drawn with a
// perspective of kFovY over a view of w x h: the look-at frame and the pinhole written out.
struct ScreenPoint {
    double x;
    double y;
    bool inFront;
};
ScreenPoint Project(const PreviewCamera& c, const WorldPoint& p, int w, int h)
{
    const WorldPoint e = c.Eye();
    double f[3] = {c.target.x - e.x, c.target.y - e.y, c.target.z - e.z};
    const double fl = std::hypot(f[0], f[1], f[2]);
    for (double& v : f)
        v /= fl;
    double s[3] = {-f[2], 0.0, f[0]};   // f x (0, 1, 0)
    const double sl = std::hypot(s[0], s[2]);
    s[0] /= sl;
    s[2] /= sl;
    const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
    const double d[3] = {p.x - e.x, p.y - e.y, p.z - e.z};
    const double depth = d[0] * f[0] + d[1] * f[1] + d[2] * f[2];
    const double focal = 1.0 / std::tan(PreviewCamera::kFovY * std::numbers::pi / 360.0);
    const double nx = focal / (double(w) / h) * (d[0] * s[0] + d[1] * s[1] + d[2] * s[2]) / depth;
    const double ny = focal * (d[0] * u[0] + d[1] * u[1] + d[2] * u[2]) / depth;
    return {(nx + 1.0) / 2.0 * w, (1.0 - ny) / 2.0 * h, depth > 0.0};
}

// A diamond of four control points whose spans are straight, road 8 wide a side.
constexpr double kDiamond[4][2] = {{90, 0}, {0, 90}, {-90, 0}, {0, -90}};

RecordList<CourseHandle> DiamondHandles()
{
    RecordList<CourseHandle> handles;
    for (int i = 0; i < 4; ++i) {
        const double* p = kDiamond[i];
        const double* n = kDiamond[(i + 1) % 4];
        const double* b = kDiamond[(i + 3) % 4];
        handles.Add(MakeHandle(p[0], p[1], n[0] - p[0], n[1] - p[1], b[0] - p[0], b[1] - p[1], 8, 8));
    }
    return handles;
}

// The diamond as a course file with its maps (paths as written, "" for none) and a 4 x 4 object
// at (x, 0) for each x given.
std::string DiamondCourse(const std::string& name, const std::string& heightMap, const std::string& colorMap,
                          const std::vector<double>& objectsAt = {})
{
    CTrackwrightDoc doc;
    doc.OnNewDocument();
    doc.m_course.m_handles = DiamondHandles();
    doc.m_xobjects.SetSize(0);
    for (const double x : objectsAt)
        AddXObject(doc.m_xobjects, Vector3(x, 0.0, 0.0), "box.x", 4.0f, 4.0f);
    doc.m_heightMap = heightMap;
    doc.m_colorMap = colorMap;
    doc.m_visibleMap = ShowColorMap;
    const std::string text = CourseFileText(doc.StoredFields());
    return WriteTempFile(name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

// A 2 x 2 24-bit map: red where course x > 0, green where course y > 0, blue 120 everywhere.
std::string QuadrantColourMap()
{
    std::vector<std::uint8_t> rows;
    for (int r = 0; r < 2; ++r) {          // bottom row (course y < 0) first
        for (int c = 0; c < 2; ++c) {      // B G R
            rows.push_back(120);
            rows.push_back(r == 1 ? 220 : 20);
            rows.push_back(c == 1 ? 220 : 20);
        }
        rows.push_back(0);                 // rows padded to 4 bytes
        rows.push_back(0);
    }
    return WriteTempFile("quadrants.bmp", MakeBmp({2, 2, 24, 40, 0}, rows));
}

// A 32 x 32 8-bit height map (raw palette indices as grey) rising as a plane, 3 levels a column
// and 2 a row: the terrain's triangles then lie exactly where the road's heights put the ground.
std::string SlopeHeightMap()
{
    std::vector<std::uint8_t> rows;
    for (int r = 0; r < 32; ++r)
        for (int c = 0; c < 32; ++c)
            rows.push_back(static_cast<std::uint8_t>(3 * c + 2 * r));
    return WriteTempFile("slope.bmp", MakeBmp({32, 32, 8, 40, 0}, rows));
}

class PreviewPixels : public GlFixture {
protected:
    void SetUp() override
    {
        GlFixture::SetUp();
        AfxSetResources(&TrackwrightResources());
    }
    TestBackend m_backend;
};

}  // namespace

TEST(PreviewCamera, OrbitPanDollyAndHomeAgainstAnIndependentProjection)
{
    PreviewCamera c;
    c.target = {10.0, 2.0, -30.0};
    c.yaw = 0.4;
    c.pitch = 0.7;
    c.distance = 120.0;
    const WorldPoint target = c.target;

    PreviewCamera o = c;
    o.Orbit(50, -20);
    EXPECT_NEAR(std::hypot(o.Eye().x - target.x, o.Eye().y - target.y, o.Eye().z - target.z), 120.0, 1e-9);
    EXPECT_DOUBLE_EQ(o.target.x, target.x);
    o.Orbit(0, 100000);
    EXPECT_DOUBLE_EQ(o.pitch, PreviewCamera::kMaxPitch);   // never over the top, where up flips

    // The ground that was at the centre follows the cursor, pixel for pixel.
    const struct { int dx, dy; } drags[] = {{40, 0}, {0, -25}, {-33, 17}};
    for (const auto& d : drags) {
        PreviewCamera p = c;
        p.Pan(d.dx, d.dy, kHeight);
        const ScreenPoint at = Project(p, target, kWidth, kHeight);
        EXPECT_NEAR(at.x, kWidth / 2.0 + d.dx, 1e-6) << d.dx << "," << d.dy;
        EXPECT_NEAR(at.y, kHeight / 2.0 + d.dy, 1e-6) << d.dx << "," << d.dy;
    }

    PreviewCamera w = c;   // the wheel towards the user comes closer, never too close
    for (int i = 0; i < 1000; ++i)
        w.Dolly(-1200);
    EXPECT_DOUBLE_EQ(w.distance, PreviewCamera::kMinDistance);

    // Home: every corner of the box lands inside the view, whatever its shape.
    for (const double aspect : {0.5, 1.6, 3.0}) {
        WorldBounds b;
        b.Add(-300.0, 0.0, -20.0);
        b.Add(150.0, 25.0, 90.0);
        const PreviewCamera home = HomeCamera(b, aspect);
        const int h = 400;
        const int wv = static_cast<int>(h * aspect);
        for (const double x : {b.min.x, b.max.x})
            for (const double y : {b.min.y, b.max.y})
                for (const double z : {b.min.z, b.max.z}) {
                    const ScreenPoint px = Project(home, {x, y, z}, wv, h);
                    EXPECT_TRUE(px.inFront && px.x >= 0 && px.x <= wv && px.y >= 0 && px.y <= h)
                        << aspect << ": " << x << " " << y << " " << z << " at " << px.x << " " << px.y;
                }
    }
}

TEST(PreviewCamera, DriveViewStandsAboveTheRoadLookingAlongItAndSteps)
{
    const RecordList<CourseHandle> handles = DiamondHandles();
    const std::uint8_t grey[4] = {0, 100, 200, 50};
    const HeightField heights{grey, 2, 2, 1};

    const PreviewCamera orbit;
    const struct { const char* name; PreviewCamera camera; int index; } rows[] = {
        {"at 1", DriveCamera(orbit, handles, heights, 1), 1},
        {"first from an orbit", StepDrive(orbit, handles, heights, +1), 0},
        {"last from an orbit", StepDrive(orbit, handles, heights, -1), 3},
        {"next after the last", StepDrive(DriveCamera(orbit, handles, heights, 3), handles, heights, +1), 0},
        {"previous of the first", StepDrive(DriveCamera(orbit, handles, heights, 0), handles, heights, -1), 3},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_EQ(r.camera.driveIndex, r.index);
        const double px = kDiamond[r.index][0];
        const double py = kDiamond[r.index][1];
        const WorldPoint eye = r.camera.Eye();
        EXPECT_NEAR(eye.x, px, 1e-4);
        EXPECT_NEAR(eye.z, -py, 1e-4);
        EXPECT_NEAR(eye.y, HeightAt(heights, px, py) + kRoadLift + 1.5, 1e-4);
        // Along the straight span to the next point, seen from above.
        const double nx = kDiamond[(r.index + 1) % 4][0] - px;
        const double ny = kDiamond[(r.index + 1) % 4][1] - py;
        const WorldPoint f = r.camera.Forward();
        EXPECT_NEAR(std::atan2(-f.z, f.x), std::atan2(ny, nx), 1e-4);
        // And with the road's climb there.
        const double ahead = 1.0 / kMeshSegments;
        const double rise = HeightAt(heights, px + nx * ahead, py + ny * ahead) - HeightAt(heights, px, py);
        EXPECT_NEAR(f.y / std::hypot(f.x, f.z), rise / (std::hypot(nx, ny) * ahead), 1e-3);
    }
    // Orbiting or panning leaves the drive view.
    PreviewCamera d = rows[0].camera;
    d.Orbit(1, 0);
    EXPECT_EQ(d.driveIndex, -1);
    EXPECT_EQ(DriveCamera(orbit, RecordList<CourseHandle>(), heights, 2).driveIndex, -1);
}

TEST_F(PreviewPixels, HomeViewPutsTheRoadAndTheColourMapWhereTheProjectionSays)
{
    // The maps named as found beside the course.
    SlopeHeightMap();
    QuadrantColourMap();
    const std::string course = DiamondCourse("diamond.crs", "slope.bmp", "quadrants.bmp");
    const std::string png = course + ".png";
    // The camera the command will use, from the same document.
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(course));
    doc.SetPathName(course, false);
    PreviewScene scene;
    scene.Update(doc);
    ASSERT_TRUE(scene.Problem().empty());
    ASSERT_GT(HeightAt(scene.Heights(), 100.0, 100.0), 10.0);
    const PreviewCamera home = HomeCamera(scene.Bounds(), double(kWidth) / kHeight);

    testing::internal::CaptureStderr();
    const int status = RunRenderCommand({"trackwright", "--render", course, "--out", png, "--preview", "--size",
                                         std::to_string(kWidth) + "x" + std::to_string(kHeight)},
                                        std::string(TW_SOURCE_DIR) + "/res/");
    const std::string err = testing::internal::GetCapturedStderr();
    ASSERT_EQ(status, 0) << err;
    EXPECT_EQ(err, "");
    const QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.width(), kWidth);
    ASSERT_EQ(image.height(), kHeight);

    const auto colour = [&](const WorldPoint& p) {
        const ScreenPoint px = Project(home, p, kWidth, kHeight);
        EXPECT_TRUE(px.inFront && px.x >= 0 && px.x < kWidth && px.y >= 0 && px.y < kHeight) << px.x << " " << px.y;
        return image.pixelColor(static_cast<int>(px.x), static_cast<int>(px.y));
    };

    // Asphalt (grey, a little blue) at the road's centre over every control point, at its height.
    for (const auto& p : kDiamond) {
        const QColor c = colour({p[0], HeightAt(scene.Heights(), p[0], p[1]) + kRoadLift, -p[1]});
        EXPECT_TRUE(std::abs(c.red() - c.green()) <= 6 && c.blue() >= c.red() && c.blue() - c.red() <= 20 &&
                    c.red() > 50 && c.red() < 170)
            << p[0] << " " << p[1] << ": " << c.red() << " " << c.green() << " " << c.blue();
    }
    // The colour map's quadrant at each texel centre, away from the road.
    for (const double x : {-64.0, 64.0})
        for (const double y : {-64.0, 64.0}) {
            const QColor c = colour({x, HeightAt(scene.Heights(), x, y), -y});
            EXPECT_EQ(c.red() > 120, x > 0) << x << " " << y << ": " << c.red();
            EXPECT_EQ(c.green() > 120, y > 0) << x << " " << y << ": " << c.green();
            EXPECT_TRUE(c.blue() > 90 && c.blue() < 150) << x << " " << y << ": " << c.blue();
        }
}

TEST_F(PreviewPixels, AnEditRebuildsOnlyItsPartAndABadValueIsLeftOutAndNamed)
{
    const std::string course = DiamondCourse("diamond_objects.crs", SlopeHeightMap(), "", {40.0, -40.0});
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(course));
    PreviewScene scene;
    scene.Update(doc);
    const auto builds = [&] { return std::vector<int>{scene.TerrainBuilds(), scene.RoadBuilds(), scene.BoxBuilds()}; };
    EXPECT_EQ(builds(), (std::vector<int>{1, 1, 1}));

    doc.m_course.m_handles[1].HoverPart = HandlePart::Pos;   // hovering changes no geometry
    scene.Update(doc);
    EXPECT_EQ(builds(), (std::vector<int>{1, 1, 1}));

    // One object moves: its box alone is built again, and the frame is the one a scene built anew draws.
    const PreviewCamera home = HomeCamera(scene.Bounds(), 640.0 / 480.0);
    scene.Draw(home, Width(), Height());   // the buffers the move then updates
    const std::vector<std::uint8_t> before = m_gl.ReadRgba();
    doc.m_xobjects[0].Pos.x = 50.0f;
    scene.Update(doc);
    EXPECT_EQ(builds(), (std::vector<int>{1, 1, 2}));
    scene.Draw(home, Width(), Height());
    const std::vector<std::uint8_t> after = m_gl.ReadRgba();
    EXPECT_TRUE(after != before);
    PreviewScene fresh;
    fresh.Update(doc);
    fresh.Draw(home, Width(), Height());
    EXPECT_TRUE(m_gl.ReadRgba() == after);
    fresh.ReleaseGl();

    // The editor's marks in its colours: a selected box's lid and control point's post yellow,
    // hovered ones red.
    const struct { int mark; bool green; } marks[] = {{kMarkSelected, true}, {kMarkHovered, false}};
    for (const auto& m : marks) {
        scene.SetMarks({m.mark, kMarkNone, kMarkNone, kMarkNone}, {m.mark, kMarkNone});
        scene.Draw(home, Width(), Height());
        const PreviewBox& box = scene.Boxes()[0];
        const Vector3& post = scene.Handles()[0].vPos;
        const WorldPoint at[] = {{(box.corners[0][0] + box.corners[2][0]) / 2.0, box.top, (box.corners[0][2] + box.corners[2][2]) / 2.0},
                                 {post.x, HeightAt(scene.Heights(), post.x, post.y) + 2.0, -post.y}};
        for (const WorldPoint& p : at) {
            const ScreenPoint s = Project(home, p, Width(), Height());
            const auto rgba = Pixel(static_cast<int>(s.x), Height() - 1 - static_cast<int>(s.y));
            EXPECT_TRUE(rgba[0] > 80 && rgba[2] < 40 && (rgba[1] > 80) == m.green)
                << m.mark << " " << p.x << ": " << int(rgba[0]) << " " << int(rgba[1]) << " " << int(rgba[2]);
        }
    }

    // One control point moves: the road, not the boxes or the terrain.
    doc.m_course.m_handles[2].vPos.x = -80.0f;
    scene.Update(doc);
    EXPECT_EQ(builds(), (std::vector<int>{1, 2, 2}));

    // A value the rule refuses: that point and that object stay out, the rest is drawn, and it is said.
    doc.m_course.m_handles[3].vPos.y = std::numeric_limits<float>::quiet_NaN();
    doc.m_xobjects[1].Width = std::numeric_limits<float>::infinity();
    scene.Update(doc);
    EXPECT_EQ(scene.Problem(), AfxLoadString(IDS_PREVIEW_BAD_VALUES));
    EXPECT_EQ(scene.Handles().GetSize(), 3);
    EXPECT_FALSE(scene.Meshes().road.positions.empty());
    for (const float v : scene.Meshes().road.positions)
        ASSERT_TRUE(std::isfinite(v));
    const WorldBounds b = scene.Bounds();
    EXPECT_FALSE(b.Empty());
    scene.Draw(HomeCamera(b, 640.0 / 480.0), Width(), Height());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    scene.ReleaseGl();
}

TEST_F(PreviewPixels, ARefusedTextureOrALostContextDrawsTheGroundGreyAndSaysSo)
{
    const std::string course = DiamondCourse("diamond_coloured.crs", "", QuadrantColourMap());
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(course));
    const struct {
        const char* name;
        PreviewGlSteps steps;
        bool texturedFirst;
        UINT message;
    } rows[] = {
        {"texture refused", {[](int, int, int, const std::uint8_t*) { return false; }, nullptr}, false, IDS_PREVIEW_TEXTURE_FAILED},
        // Lost once the first frame's buffers exist.
        {"context lost", {nullptr, [](unsigned buffer, unsigned) { return buffer != 0; }}, true, IDS_PREVIEW_CONTEXT_LOST},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        m_backend.statusText.clear();
        PreviewScene scene(row.steps);
        scene.Update(doc);
        const PreviewCamera home = HomeCamera(scene.Bounds(), double(Width()) / Height());
        scene.Draw(home, Width(), Height());
        EXPECT_EQ(scene.TerrainTextured(), row.texturedFirst);
        scene.Draw(home, Width(), Height());
        EXPECT_FALSE(scene.TerrainTextured());
        EXPECT_EQ(m_backend.statusText, AfxLoadString(row.message));
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        // The yellow quadrant's texel centre, grey now, and the road still drawn.
        const ScreenPoint ground = Project(home, {64.0, 0.0, -64.0}, Width(), Height());
        const auto g = Pixel(static_cast<int>(ground.x), Height() - 1 - static_cast<int>(ground.y));
        EXPECT_TRUE(g[0] > 60 && g[0] == g[1] && g[1] == g[2]) << int(g[0]) << " " << int(g[1]) << " " << int(g[2]);
        const ScreenPoint road = Project(home, {90.0, kRoadLift, 0.0}, Width(), Height());
        const auto r = Pixel(static_cast<int>(road.x), Height() - 1 - static_cast<int>(road.y));
        EXPECT_GT(r[2], r[0]);
        scene.ReleaseGl();
    }
}

TEST(PreviewSpans, TheTerrainInBandsHasTheGridsTrianglesAndFarAwayEveryStrideThRow)
{
    std::vector<std::uint8_t> pixels(300 * 3);
    for (std::size_t k = 0; k < pixels.size(); ++k)
        pixels[k] = static_cast<std::uint8_t>(k * 7);
    const HeightField heights{pixels.data(), 300, 3, 1, 0.5};
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    TerrainGridSize(heights, columns, rows);
    const Mesh grid = TerrainMesh(heights);
    const auto triangles = [](const Mesh& m) {
        std::vector<std::array<float, 18>> all(m.indices.size() / 3);
        for (std::size_t t = 0; t < m.indices.size(); ++t)
            for (std::size_t k = 0; k < 3; ++k) {
                all[t / 3][t % 3 * 6 + k] = m.positions[m.indices[t] * 3 + k];
                all[t / 3][t % 3 * 6 + 3 + k] = m.normals[m.indices[t] * 3 + k];
            }
        std::sort(all.begin(), all.end());
        return all;
    };
    const Mesh bands = TerrainInBands(grid, columns, rows, 127);   // three bands, the last short
    EXPECT_EQ(bands.VertexCount(), std::size_t(rows) * (columns + 2));
    EXPECT_EQ(triangles(bands), triangles(grid));

    // Far away, every other row and column of the same vertices, the last ones kept: in the bands
    // of 127, 127 and 45 quads, 64 + 64 + 23 quads over the 2 rows of quads.
    EXPECT_EQ(TerrainBandIndices(columns, rows, 127, 1), bands.indices);
    const std::vector<std::uint32_t> coarse = TerrainBandIndices(columns, rows, 127, 2);
    EXPECT_EQ(coarse.size(), 6u * (64 + 64 + 23));
    EXPECT_LT(*std::max_element(coarse.begin(), coarse.end()), bands.VertexCount());
    // A strip of 5 rows of 2 (the road's turn) at stride 2 reaches from row 0 to 2 and 2 to 4.
    const std::vector<std::uint32_t> strip = {1, 3, 0, 0, 3, 2, 3, 5, 2, 2, 5, 4, 5, 7, 4, 4, 7, 6, 7, 9, 6, 6, 9, 8};
    EXPECT_EQ(RowsAtStride(strip, 1, 5, 2, 2), (std::vector<std::uint32_t>{1, 5, 0, 0, 5, 4, 5, 9, 4, 4, 9, 8}));
    // The stride: exact near, coarser where two rows' step stays within 2 pixels, never past maxSpacing.
    EXPECT_EQ(DetailStride(0.25, 10.0, 965.0, 0.0), 1);
    EXPECT_EQ(DetailStride(0.25, 250.0, 965.0, 0.0), 2);
    EXPECT_EQ(DetailStride(0.003, 250.0, 965.0, 0.0625), 16);
    EXPECT_EQ(DetailStride(0.003, 250.0, 965.0, 0.02), 4);
}

TEST(PreviewSpans, OneMovedPointRebuildsItsSpansExactlyAsAWholeBuild)
{
    // A ring of 12 over a bumpy map whose texels are half the road's width: two divisions across.
    std::vector<std::uint8_t> grey(32 * 32);
    for (std::size_t i = 0; i < grey.size(); ++i)
        grey[i] = static_cast<std::uint8_t>((i * i * 7 + i / 32 * 29) & 0xFF);
    const HeightField heights{grey.data(), 32, 32, 1};
    const auto ring = [] {
        RecordList<CourseHandle> handles;
        for (int i = 0; i < 12; ++i) {
            const double c = std::cos(i * std::numbers::pi / 6);
            const double s = std::sin(i * std::numbers::pi / 6);
            const float width = 4.0f + float(i % 3);
            handles.Add(MakeHandle(80 * c, 70 * s, -40 * s, 40 * c, 40 * s, -40 * c, width, width));
        }
        return handles;
    }();
    const struct { const char* name; int moved; float dx; float width; bool partial; } rows[] = {
        {"a point moves", 5, 3.5f, 0.0f, true},
        {"the first that can", 2, -2.0f, 0.0f, true},
        {"the last that can", 9, 1.0f, 0.0f, true},
        {"a width within the rows across", 6, 0.0f, 5.0f, true},
        {"the seam's neighbour", 1, 1.0f, 0.0f, false},
        {"at the seam", 0, 1.0f, 0.0f, false},
        {"the last point", 11, 1.0f, 0.0f, false},
        {"a width that needs more rows across", 4, 0.0f, 12.0f, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Mesh road = RoadMesh(ring, heights);
        Mesh borders = BorderMesh(ring, heights);
        const Mesh roadBefore = road;
        const Mesh bordersBefore = borders;
        RecordList<CourseHandle> moved = ring;
        moved[r.moved].vPos.x += r.dx;
        if (r.width > 0.0f)
            moved[r.moved].WidthLeft = r.width;
        const bool roadDone = UpdateRoadSpans(road, moved, heights, r.moved);
        const bool bordersDone = UpdateBorderSpans(borders, moved, heights, r.moved);
        EXPECT_EQ(roadDone, r.partial);
        if (!r.partial) {
            EXPECT_EQ(road.positions, roadBefore.positions);
            EXPECT_EQ(road.normals, roadBefore.normals);
            if (r.width == 0.0f) {
                EXPECT_EQ(borders.positions, bordersBefore.positions);
            }
            continue;
        }
        ASSERT_TRUE(bordersDone);
        const Mesh wholeRoad = RoadMesh(moved, heights);
        const Mesh wholeBorders = BorderMesh(moved, heights);
        EXPECT_NE(road.positions, roadBefore.positions);
        EXPECT_EQ(road.positions, wholeRoad.positions);
        EXPECT_EQ(road.normals, wholeRoad.normals);
        EXPECT_EQ(road.indices, wholeRoad.indices);
        ASSERT_EQ(road.texCoords.size(), wholeRoad.texCoords.size());
        for (std::size_t i = 0; i < road.texCoords.size(); ++i)
            ASSERT_NEAR(road.texCoords[i], wholeRoad.texCoords[i], 1e-4) << i;
        EXPECT_EQ(borders.positions, wholeBorders.positions);
        EXPECT_EQ(borders.normals, wholeBorders.normals);
    }
}
