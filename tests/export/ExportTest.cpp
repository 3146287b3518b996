// The glTF export read back with the same library: the road on the course's drawn samples at the
// map's heights, the terrain on the map's texels, the objects as nodes; bad input refused before
// anything is written. The files written here are checked by the Khronos validator afterwards
// (CMakeLists.txt).
#include "support/BmpWriter.h"
#include "support/TestBackend.h"
#include "support/TestData.h"

#include "app/ExportCommand.h"
#include "bench/BenchCourse.h"
#include "file/MapImage.h"
#include "geometry/CourseMeshes.h"
#include "geometry/CourseSpline.h"
#include "geometry/ObjectFootprint.h"
#include "res/Resource.h"
#include "res/TrackwrightResources.h"

#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <cmath>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Where the validator test finds the files.
fs::path OutDir()
{
    const fs::path dir = fs::path(TW_BINARY_DIR) / "tests/export/glb";
    fs::create_directories(dir);
    return dir;
}

struct ExportRun {
    int status;
    std::string stderrText;
};

ExportRun Export(const std::string& course, const std::string& out, const std::vector<std::string>& more = {})
{
    AfxSetResources(&TrackwrightResources());
    std::vector<std::string> args{"trackwright", "--export", course, "--out", out};
    args.insert(args.end(), more.begin(), more.end());
    testing::internal::CaptureStderr();
    const int status = RunExportCommand(args);
    return {status, testing::internal::GetCapturedStderr()};
}

tinygltf::Model Load(const std::string& path)
{
    tinygltf::Model model;
    tinygltf::TinyGLTF loader;
    std::string err;
    std::string warn;
    EXPECT_TRUE(loader.LoadBinaryFromFile(&model, &err, &warn, path)) << path << ": " << err;
    return model;
}

// The floats of an accessor (tightly packed, as the export writes them).
const float* Floats(const tinygltf::Model& m, int accessor)
{
    const tinygltf::Accessor& a = m.accessors.at(std::size_t(accessor));
    const tinygltf::BufferView& v = m.bufferViews.at(std::size_t(a.bufferView));
    return reinterpret_cast<const float*>(m.buffers.at(0).data.data() + v.byteOffset + a.byteOffset);
}

const tinygltf::Primitive& PrimitiveOf(const tinygltf::Model& m, const std::string& node)
{
    for (const tinygltf::Node& n : m.nodes) {
        if (n.name == node)
            return m.meshes.at(std::size_t(n.mesh)).primitives.at(0);
    }
    ADD_FAILURE() << "no node " << node;
    static const tinygltf::Primitive none;
    return none;
}

std::string SaveCourse(CTrackwrightDoc& doc, const std::string& name)
{
    const std::string path = (OutDir() / name).string();
    EXPECT_TRUE(doc.OnSaveDocument(path)) << path;
    return path;
}

// The sample course's height map as the export reads it.
struct SampleMap {
    MapImageInfo info;
    std::unique_ptr<std::uint8_t[]> pixels = ReadBmp(TestDataPath("../../samples/hills.bmp"), info);
    HeightField Field(double scale) const { return {pixels.get(), info.width, info.height, info.components, scale}; }
};

}  // namespace

// The sample: every road vertex is a drawn border sample at the height under it plus the lift;
// the terrain's inner vertices sit on texel centres at the texel's grey level times the scale;
// each object is a node named by its file at its position and height, its footprint turned as drawn.
TEST(Export, SampleReadsBackAsTheCourse)
{
    const std::string course = TestDataPath("../../samples/hills.crs");
    const std::string out = (OutDir() / "sample.glb").string();
    const ExportRun run = Export(course, out, {"--height-scale", "0.25"});
    ASSERT_EQ(run.status, 0) << run.stderrText;
    const tinygltf::Model m = Load(out);
    CTrackwrightDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(course));
    const SampleMap map;
    const HeightField field = map.Field(0.25);
    ASSERT_EQ(map.info.width, 256);

    ASSERT_GE(m.nodes.size(), 3u);
    EXPECT_EQ(std::tuple(m.nodes[0].name, m.nodes[1].name, m.nodes[2].name), std::tuple("road", "borders", "terrain"));

    // Each row of the road runs straight across from the right border's sample to the left's, a
    // vertex per texel of width; every vertex at the height under it plus the lift, facing up.
    const tinygltf::Primitive& road = PrimitiveOf(m, "road");
    const int n = doc.m_course.m_handles.GetSize();
    const std::size_t rows = std::size_t(20 * n + 1);
    const std::size_t vertices = m.accessors.at(std::size_t(road.attributes.at("POSITION"))).count;
    ASSERT_EQ(vertices % rows, 0u);
    const std::size_t across = vertices / rows;
    ASSERT_GE(across, 11u) << "a road 10 units wide over 1-unit texels";
    const float* p = Floats(m, road.attributes.at("POSITION"));
    const float* normal = Floats(m, road.attributes.at("NORMAL"));
    Vector3 right[21];
    Vector3 left[21];
    int wrong = 0;
    for (int i = 0; i < n && wrong < 5; ++i) {
        SampleSpan(doc.m_course.m_handles[i], NextInRing(doc.m_course.m_handles, i), RightBorder, 20, right);
        SampleSpan(doc.m_course.m_handles[i], NextInRing(doc.m_course.m_handles, i), LeftBorder, 20, left);
        for (int k = 0; k < 20 && wrong < 5; ++k) {
            for (std::size_t j = 0; j < across; ++j) {
                const double u = double(j) / double(across - 1);
                const double x = right[k].x + (double(left[k].x) - right[k].x) * u;
                const double y = right[k].y + (double(left[k].y) - right[k].y) * u;
                const std::size_t at = std::size_t(20 * i + k) * across + j;
                const double expected[3] = {x, HeightAt(field, x, y) + kRoadLift, -y};
                for (int a = 0; a < 3; ++a) {
                    if (std::fabs(p[3 * at + std::size_t(a)] - expected[a]) > 1e-4) {
                        ++wrong;
                        ADD_FAILURE() << "road vertex " << at << " axis " << a;
                    }
                }
                if (normal[3 * at + 1] <= 0.5f) {
                    ++wrong;
                    ADD_FAILURE() << "road normal " << at << " does not point up";
                }
            }
        }
    }

    const tinygltf::Primitive& terrain = PrimitiveOf(m, "terrain");
    ASSERT_EQ(m.accessors.at(std::size_t(terrain.attributes.at("POSITION"))).count, 256u * 256u);
    const float* t = Floats(m, terrain.attributes.at("POSITION"));
    for (const auto& [column, row] : {std::pair(1, 1), std::pair(100, 37), std::pair(254, 200)}) {
        const std::size_t v = std::size_t(row) * 256 + std::size_t(column);
        const double grey = map.pixels[v];
        EXPECT_NEAR(t[3 * v + 1], grey * 0.25, 1e-4) << column << "," << row;
        EXPECT_NEAR(t[3 * v], -128.0 + (column + 0.5), 1e-4) << column << "," << row;
        EXPECT_NEAR(t[3 * v + 2], -(-128.0 + (row + 0.5)), 1e-4) << column << "," << row;
    }

    ASSERT_EQ(m.nodes.size(), 3u + std::size_t(doc.m_xobjects.GetSize()));
    for (int i = 0; i < doc.m_xobjects.GetSize(); ++i) {
        const XObject& o = doc.m_xobjects[i];
        const tinygltf::Node& node = m.nodes[3 + std::size_t(i)];
        SCOPED_TRACE(i);
        EXPECT_EQ(node.name, o.FileName);
        EXPECT_EQ(node.extras.Get("file").Get<std::string>(), o.FileName);
        ASSERT_EQ(node.translation.size(), 3u);
        EXPECT_NEAR(node.translation[1], HeightAt(field, o.Pos.x, o.Pos.y), 1e-4);
        // The footprint's corners through the node's turn and translation, back in course axes.
        const tinygltf::Primitive& quad = m.meshes.at(std::size_t(node.mesh)).primitives.at(0);
        const float* c = Floats(m, quad.attributes.at("POSITION"));
        const double qy = node.rotation[1];
        const double qw = node.rotation[3];
        const double cosT = qw * qw - qy * qy;
        const double sinT = 2.0 * qw * qy;
        const std::array<Vector3, 4> drawn = FootprintCorners(o, 1.0f);
        for (std::size_t k = 0; k < 4; ++k) {
            const double x = c[3 * k] * cosT + c[3 * k + 2] * sinT + node.translation[0];
            const double z = -c[3 * k] * sinT + c[3 * k + 2] * cosT + node.translation[2];
            EXPECT_NEAR(x, drawn[k].x, 1e-3) << "corner " << k;
            EXPECT_NEAR(-z, drawn[k].y, 1e-3) << "corner " << k;
        }
    }
}

// The other files the validator checks: the default course, one without maps, a 4096 x 4096 height
// and colour map (the terrain capped at 1,025 vertices a side, the colour map embedded with its top
// row first), and 10,000 control points with 10,000 objects.
TEST(Export, LargeAndPlainCoursesWrite)
{
    const fs::path dir = OutDir();
    CTrackwrightDoc doc;
    doc.OnNewDocument();
    const std::string plain = SaveCourse(doc, "default.crs");

    ASSERT_TRUE(doc.OnOpenDocument(TestDataPath("../../samples/hills.crs")));
    doc.m_heightMap.clear();
    const std::string noMaps = SaveCourse(doc, "nomaps.crs");

    FillCourse(doc, 200, 200);
    ASSERT_TRUE(WriteMapBmp((dir / "big.bmp").string(), 4096));
    doc.m_heightMap = doc.m_colorMap = (dir / "big.bmp").string();
    const std::string bigMap = SaveCourse(doc, "bigmap.crs");

    FillCourse(doc, 10000, 10000);
    const std::string many = SaveCourse(doc, "many.crs");

    for (const auto& [course, vertices] : {std::pair(plain, 4u), std::pair(noMaps, 4u), std::pair(bigMap, 1025u * 1025u),
                                           std::pair(many, 4u)}) {
        const std::string out = fs::path(course).replace_extension(".glb").string();
        const ExportRun run = Export(course, out);
        ASSERT_EQ(run.status, 0) << course << ": " << run.stderrText;
        const tinygltf::Model m = Load(out);
        EXPECT_EQ(m.accessors.at(std::size_t(PrimitiveOf(m, "terrain").attributes.at("POSITION"))).count, vertices) << course;
        if (course == bigMap) {
            ASSERT_EQ(m.images.size(), 1u);
            const tinygltf::Image& image = m.images[0];
            EXPECT_EQ(std::tuple(image.width, image.height, image.mimeType), std::tuple(4096, 4096, "image/png"));
            // WriteMapBmp stores pixel (x, y) from the bottom row as the bytes x, y, (x ^ y) >> 4, which
            // a BMP holds as blue, green, red: the image's top left (x 0, y 4095) is red 255, green 255, blue 0.
            ASSERT_GE(image.image.size(), 4u);
            EXPECT_EQ(std::vector<int>(image.image.begin(), image.image.begin() + 3), (std::vector<int>{255, 255, 0}));
        }
    }
}

// Refused before anything is written (the file there stays as it was): a value that is not a
// number, a bad height scale, an output that is a folder. A map that cannot be read is named and
// the export goes on flat.
TEST(Export, BadInputIsRefusedAndNothingIsWritten)
{
    const fs::path dir = OutDir() / "bad";
    fs::create_directories(dir);
    CTrackwrightDoc doc;
    doc.OnNewDocument();
    const std::string good = SaveCourse(doc, "bad/good.crs");
    doc.m_course.m_handles[2].vTanNext.x = std::nanf("");
    const std::string nan = SaveCourse(doc, "bad/nan.crs");
    doc.OnNewDocument();
    doc.m_xobjects.Add(XObject("rock.x", Vector3(1.0, 2.0, 0.0), 0.0f, 3e30f, 1.0f));
    const std::string huge = SaveCourse(doc, "bad/huge.crs");
    doc.OnNewDocument();
    doc.m_heightMap = (dir / "missing.bmp").string();
    const std::string missingMap = SaveCourse(doc, "bad/missingmap.crs");

    const std::string kept = (dir / "kept.glb").string();
    const struct {
        const char* name;
        std::string course;
        std::vector<std::string> more;
        std::string message;
    } rows[] = {
        {"nan tangent", nan, {}, "コントロールポイント: 2"},
        {"huge object", huge, {}, "Xオブジェクト: 0"},
        {"negative scale", good, {"--height-scale", "-1"}, "height scale"},
        {"scale not a number", good, {"--height-scale", "nan"}, "height scale"},
        {"scale with junk", good, {"--height-scale", "0.1x"}, "height scale"},
        {"missing course", (dir / "none.crs").string(), {}, "none.crs"},
    };
    for (const auto& row : rows) {
        std::ofstream(kept, std::ios::trunc) << "old";
        const ExportRun run = Export(row.course, kept, row.more);
        EXPECT_EQ(run.status, 1) << row.name;
        EXPECT_NE(run.stderrText.find(row.message), std::string::npos) << row.name << ": " << run.stderrText;
        EXPECT_EQ(ReadWholeFile(kept), (std::vector<std::uint8_t>{'o', 'l', 'd'})) << row.name;
    }
    const ExportRun toFolder = Export(good, dir.string());
    EXPECT_EQ(toFolder.status, 1);
    EXPECT_TRUE(fs::is_directory(dir));

    const ExportRun flat = Export(missingMap, (dir / "flat.glb").string());
    EXPECT_EQ(flat.status, 0) << flat.stderrText;
    EXPECT_NE(flat.stderrText.find("ハイトマップのファイルが読み込めません"), std::string::npos) << flat.stderrText;
}

// File → Export in the window: the height scale dialog starts from the user's last scale, a name
// typed without an extension gets .glb, the file is written and the status bar says so; Cancel in
// either dialog writes nothing.
TEST(Export, WindowCommandAsksScaleAndPathAndRemembersTheScale)
{
    AfxSetResources(&TrackwrightResources());
    TestBackend backend;
    backend.profile["Export/HeightScale"] = "0.25000000";
    std::string shown;
    backend.dialogScript = [&shown](CDialog& dlg, TestDialogHost& host) {
        shown = host.GetItemText(IDC_HEIGHT_SCALE);
        host.SetItemText(IDC_HEIGHT_SCALE, "0.5");
        dlg.OnOK();
    };
    const fs::path dir = OutDir() / "window";
    fs::create_directories(dir);
    backend.fileAnswers = {(dir / "typed").string()};
    CTrackwrightDoc doc;
    doc.OnNewDocument();
    doc.OnFileExport();
    EXPECT_EQ(shown, "0.25");
    EXPECT_EQ(backend.profile["Export/HeightScale"], "0.50000000");
    EXPECT_TRUE(fs::is_regular_file(dir / "typed.glb"));
    EXPECT_EQ(backend.statusText, "エクスポートしました: " + (dir / "typed.glb").string());

    backend.fileAnswers = {(dir / "cancelled.glb").string()};
    backend.dialogScript = [](CDialog& dlg, TestDialogHost&) { dlg.OnCancel(); };
    doc.OnFileExport();
    backend.dialogScript = nullptr;
    backend.fileAnswers.clear();
    doc.OnFileExport();
    EXPECT_FALSE(fs::exists(dir / "cancelled.glb"));
    EXPECT_EQ(backend.profile["Export/HeightScale"], "0.50000000");
}
