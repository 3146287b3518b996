#include "geometry/CourseMeshes.h"

#include "geometry/CourseSpline.h"
#include "geometry/MapSquare.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace {

void AddVertex(Mesh& m, double x, double y, double height)
{
    m.positions.push_back(static_cast<float>(x));
    m.positions.push_back(static_cast<float>(height));
    m.positions.push_back(static_cast<float>(-y));
}

void AddTexCoord(Mesh& m, double u, double v)
{
    m.texCoords.push_back(static_cast<float>(u));
    m.texCoords.push_back(static_cast<float>(v));
}

void AddTriangle(Mesh& m, std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    m.indices.push_back(a);
    m.indices.push_back(b);
    m.indices.push_back(c);
}

// Vertex normals from the surface: each triangle's normal, weighted by its area, summed at its
// corners. A vertex whose triangles all collapse gets up. seams lists pairs of vertices that
// lie at the same place (a ring's closing row) and share their sum.
// The unnormalised normal of the triangle a, b, c (its area twice over), in double.
std::array<double, 3> TriangleNormal(const Mesh& m, std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    const auto p = [&m](std::uint32_t v, int axis) { return double(m.positions[std::size_t(v) * 3 + std::size_t(axis)]); };
    const double e1[3] = {p(b, 0) - p(a, 0), p(b, 1) - p(a, 1), p(b, 2) - p(a, 2)};
    const double e2[3] = {p(c, 0) - p(a, 0), p(c, 1) - p(a, 1), p(c, 2) - p(a, 2)};
    return {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
}

void ComputeNormals(Mesh& m, const std::vector<std::pair<std::uint32_t, std::uint32_t>>& seams = {})
{
    std::vector<double> sum(m.positions.size(), 0.0);
    for (std::size_t t = 0; t + 2 < m.indices.size(); t += 3) {
        const std::uint32_t a = m.indices[t];
        const std::uint32_t b = m.indices[t + 1];
        const std::uint32_t c = m.indices[t + 2];
        const std::array<double, 3> n = TriangleNormal(m, a, b, c);
        for (const std::uint32_t v : {a, b, c})
            for (int k = 0; k < 3; ++k)
                sum[std::size_t(v) * 3 + std::size_t(k)] += n[k];
    }
    for (const auto& [a, b] : seams)
        for (int k = 0; k < 3; ++k) {
            const double both = sum[std::size_t(a) * 3 + std::size_t(k)] + sum[std::size_t(b) * 3 + std::size_t(k)];
            sum[std::size_t(a) * 3 + std::size_t(k)] = both;
            sum[std::size_t(b) * 3 + std::size_t(k)] = both;
        }
    m.normals.resize(m.positions.size());
    for (std::size_t v = 0; v < sum.size(); v += 3) {
        const double length = std::sqrt(sum[v] * sum[v] + sum[v + 1] * sum[v + 1] + sum[v + 2] * sum[v + 2]);
        const bool usable = std::isfinite(length) && length > 0.0;
        m.normals[v] = usable ? static_cast<float>(sum[v] / length) : 0.0f;
        m.normals[v + 1] = usable ? static_cast<float>(sum[v + 1] / length) : 1.0f;
        m.normals[v + 2] = usable ? static_cast<float>(sum[v + 2] / length) : 0.0f;
    }
}

// One line of the course around the whole ring: kMeshSegments samples per span, the first
// sample repeated at the end so a strip along it closes with its own texture seam.
std::vector<Vector3> RingSamples(const RecordList<CourseHandle>& handles, SpanCurve curve)
{
    std::vector<Vector3> samples;
    const int n = handles.GetSize();
    if (n == 0)
        return samples;
    samples.reserve(std::size_t(n) * kMeshSegments + 1);
    Vector3 span[kMeshSegments + 1];
    for (int i = 0; i < n; ++i) {
        SampleSpan(handles[i], NextInRing(handles, i), curve, kMeshSegments, span);
        samples.insert(samples.end(), span, span + kMeshSegments);
    }
    samples.push_back(samples.front());
    return samples;
}

}  // namespace

namespace {

// Divisions across the road: enough that no stretch between two vertices of a row is wider than a
// height-map texel, so the road follows the ground the terrain shows instead of cutting chords
// under its bumps; one where the ground is flat. A long course gets fewer, so the road stays
// within half as many vertices as the largest terrain.
int RoadDivisions(const std::vector<Vector3>& right, const std::vector<Vector3>& left, const HeightField& heights)
{
    if (!heights.pixels || heights.width <= 0 || heights.height <= 0 || right.empty())
        return 1;
    const auto affordable = static_cast<int>(std::min<std::size_t>(kMaxRoadDivisions, kMaxRoadVertices / right.size() - 1));
    if (affordable <= 1)
        return 1;
    const double texel = kMapSquareSide / std::max(heights.width, heights.height);
    double widest = 0.0;
    for (std::size_t k = 0; k < right.size(); ++k)
        widest = std::max(widest, std::hypot(double(left[k].x) - right[k].x, double(left[k].y) - right[k].y));
    const double wanted = std::ceil(widest / texel);
    // Also where a width is not finite (the comparison is false).
    if (!(wanted < affordable))
        return affordable;
    return std::max(1, static_cast<int>(wanted));
}

}  // namespace

Mesh RoadMesh(const RecordList<CourseHandle>& handles, const HeightField& heights)
{
    Mesh m;
    const std::vector<Vector3> right = RingSamples(handles, RightBorder);
    const std::vector<Vector3> left = RingSamples(handles, LeftBorder);
    const std::vector<Vector3> centre = RingSamples(handles, Centre);
    if (centre.empty())
        return m;
    const int divisions = RoadDivisions(right, left, heights);
    const auto across = static_cast<std::uint32_t>(divisions + 1);
    double along = 0.0;
    for (std::size_t k = 0; k < centre.size(); ++k) {
        if (k > 0)
            along += std::hypot(double(centre[k].x) - centre[k - 1].x, double(centre[k].y) - centre[k - 1].y);
        // From the right border (u 0) straight across to the left one (u 1); the ends are the samples.
        for (int j = 0; j <= divisions; ++j) {
            const double u = double(j) / divisions;
            const double x = j == divisions ? double(left[k].x) : right[k].x + (double(left[k].x) - right[k].x) * u;
            const double y = j == divisions ? double(left[k].y) : right[k].y + (double(left[k].y) - right[k].y) * u;
            AddVertex(m, x, y, HeightAt(heights, x, y) + kRoadLift);
            AddTexCoord(m, u, along / kRoadTextureLength);
        }
    }
    // Row k holds vertices k * across + j. The right border lies on the left of the direction of
    // travel (seen with course y up), so this order turns counter-clockwise.
    for (std::uint32_t k = 0; k + 1 < centre.size(); ++k) {
        for (std::uint32_t j = 0; j + 1 < across; ++j) {
            const std::uint32_t a = k * across + j;
            AddTriangle(m, a + 1, a + across + 1, a);
            AddTriangle(m, a, a + across + 1, a + across);
        }
    }
    const auto last = static_cast<std::uint32_t>(centre.size() - 1);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> seams;
    for (std::uint32_t j = 0; j < across; ++j)
        seams.emplace_back(j, last * across + j);
    ComputeNormals(m, seams);
    return m;
}

Mesh BorderMesh(const RecordList<CourseHandle>& handles, const HeightField& heights)
{
    Mesh m;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> seams;
    for (const SpanCurve curve : {RightBorder, LeftBorder}) {
        const std::vector<Vector3> line = RingSamples(handles, curve);
        const auto first = static_cast<std::uint32_t>(m.VertexCount());
        for (std::size_t k = 0; k < line.size(); ++k) {
            // Across the line at k: the direction from the sample before to the one after, turned a
            // quarter counter-clockwise (course y up); the ring's ends look across the seam.
            const Vector3& before = k > 0 ? line[k - 1] : line[line.size() - 2];
            const Vector3& after = k + 1 < line.size() ? line[k + 1] : line[1 % line.size()];
            double ax = -(double(after.y) - before.y);
            double ay = double(after.x) - before.x;
            const double length = std::hypot(ax, ay);
            ax = length > 0.0 ? ax / length * (kBorderWidth / 2) : 0.0;
            ay = length > 0.0 ? ay / length * (kBorderWidth / 2) : 0.0;
            const double height = HeightAt(heights, line[k].x, line[k].y) + kBorderLift;
            AddVertex(m, line[k].x - ax, line[k].y - ay, height);
            AddVertex(m, line[k].x + ax, line[k].y + ay, height);
        }
        for (std::uint32_t k = 0; k + 1 < line.size(); ++k) {
            const std::uint32_t a = first + 2 * k;
            AddTriangle(m, a, a + 2, a + 1);
            AddTriangle(m, a + 1, a + 2, a + 3);
        }
        if (!line.empty()) {
            const auto last = static_cast<std::uint32_t>(first + 2 * (line.size() - 1));
            seams.emplace_back(first, last);
            seams.emplace_back(first + 1, last + 1);
        }
    }
    ComputeNormals(m, seams);
    return m;
}

void TerrainGridSize(const HeightField& heights, std::int32_t& columns, std::int32_t& rows)
{
    const bool hasMap = heights.pixels && heights.width > 0 && heights.height > 0;
    // One vertex per texel centre up to kMaxTerrainSide.
    const auto side = [hasMap](std::int32_t texels) { return hasMap ? std::clamp(texels, 2, kMaxTerrainSide) : 2; };
    columns = side(heights.width);
    rows = side(heights.height);
}

Mesh TerrainMesh(const HeightField& heights)
{
    Mesh m;
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    TerrainGridSize(heights, columns, rows);
    // The outermost vertices move out to the square's edge, where the clamped heights are those of
    // the edge texels' centres.
    const auto place = [](std::int32_t k, std::int32_t count, std::int32_t texels, double& texel) {
        texel = texels > 1 ? double(k) * (texels - 1) / (count - 1) : 0.0;
        if (k == 0)
            return -double(kMapSquareHalf);
        if (k == count - 1)
            return double(kMapSquareHalf);
        return (texel + 0.5) / texels * kMapSquareSide - kMapSquareHalf;
    };
    m.positions.reserve(std::size_t(columns) * std::size_t(rows) * 3);
    m.texCoords.reserve(std::size_t(columns) * std::size_t(rows) * 2);
    for (std::int32_t r = 0; r < rows; ++r) {
        double row = 0.0;
        const double y = place(r, rows, heights.height, row);
        for (std::int32_t c = 0; c < columns; ++c) {
            double column = 0.0;
            const double x = place(c, columns, heights.width, column);
            AddVertex(m, x, y, HeightAtTexel(heights, column, row));
            AddTexCoord(m, MapSquareTexCoord(x), 1.0 - MapSquareTexCoord(y));
        }
    }
    m.indices.reserve(std::size_t(columns - 1) * std::size_t(rows - 1) * 6);
    for (std::int32_t r = 0; r + 1 < rows; ++r) {
        for (std::int32_t c = 0; c + 1 < columns; ++c) {
            const auto v00 = static_cast<std::uint32_t>(r * columns + c);
            const auto v01 = static_cast<std::uint32_t>((r + 1) * columns + c);
            AddTriangle(m, v00, v00 + 1, v01);
            AddTriangle(m, v00 + 1, v01 + 1, v01);
        }
    }
    ComputeNormals(m);
    return m;
}

namespace {

// The footprint rectangle in the node's frame: half extents Width and Height along x and
// course y, kFootprintLift above the node. A negative size draws the same rectangle mirrored;
// its magnitude keeps the face turned up.
Mesh FootprintMesh(float width, float height)
{
    Mesh m;
    const double a = std::fabs(double(width));
    const double b = std::fabs(double(height));
    const double corners[4][2] = {{-a, -b}, {a, -b}, {a, b}, {-a, b}};
    for (const auto& c : corners) {
        AddVertex(m, c[0], c[1], kFootprintLift);
        AddTexCoord(m, c[0] < 0 ? 0.0 : 1.0, c[1] < 0 ? 1.0 : 0.0);
    }
    AddTriangle(m, 0, 1, 2);
    AddTriangle(m, 0, 2, 3);
    ComputeNormals(m);
    return m;
}

}  // namespace

CourseMeshes BuildCourseMeshes(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects,
                               const HeightField& heights)
{
    CourseMeshes meshes;
    meshes.road = RoadMesh(handles, heights);
    meshes.borders = BorderMesh(handles, heights);
    meshes.terrain = TerrainMesh(heights);
    std::map<std::pair<float, float>, std::size_t> meshOfSize;
    meshes.objects.reserve(std::size_t(objects.GetSize()));
    for (const XObject& o : objects) {
        const auto [at, added] = meshOfSize.try_emplace({o.Width, o.Height}, meshes.objectMeshes.size());
        if (added)
            meshes.objectMeshes.push_back(FootprintMesh(o.Width, o.Height));
        ObjectNode node;
        node.name = o.FileName;
        node.mesh = at->second;
        node.translation = {o.Pos.x, static_cast<float>(HeightAt(heights, o.Pos.x, o.Pos.y)), -o.Pos.y};
        // The view turns an object clockwise by Direction (course y up); about glTF's up axis
        // that is a turn by -Direction.
        const double half = -double(o.Direction) / 2.0;
        node.rotation = {0.0f, static_cast<float>(std::sin(half)), 0.0f, static_cast<float>(std::cos(half))};
        meshes.objects.push_back(std::move(node));
    }
    return meshes;
}

namespace {

// The area-weighted normal sums of ComputeNormals for the vertices in [v0, v1), from every triangle of
// strips [s0, s1) (trianglesPerStrip each, in index order: the order a whole build adds them in),
// normalised into m.normals. Every triangle touching those vertices must lie in the strips.
void RecomputeNormals(Mesh& m, std::size_t s0, std::size_t s1, std::size_t trianglesPerStrip, std::uint32_t v0,
                      std::uint32_t v1)
{
    std::vector<double> sum(std::size_t(v1 - v0) * 3, 0.0);
    for (std::size_t t = s0 * trianglesPerStrip * 3; t < s1 * trianglesPerStrip * 3; t += 3) {
        const std::uint32_t a = m.indices[t];
        const std::uint32_t b = m.indices[t + 1];
        const std::uint32_t c = m.indices[t + 2];
        const std::array<double, 3> n = TriangleNormal(m, a, b, c);
        for (const std::uint32_t v : {a, b, c}) {
            if (v < v0 || v >= v1)
                continue;
            for (int k = 0; k < 3; ++k)
                sum[std::size_t(v - v0) * 3 + std::size_t(k)] += n[k];
        }
    }
    for (std::size_t i = 0; i < sum.size(); i += 3) {
        const std::size_t v = std::size_t(v0) * 3 + i;
        const double length = std::sqrt(sum[i] * sum[i] + sum[i + 1] * sum[i + 1] + sum[i + 2] * sum[i + 2]);
        const bool usable = std::isfinite(length) && length > 0.0;
        m.normals[v] = usable ? static_cast<float>(sum[i] / length) : 0.0f;
        m.normals[v + 1] = usable ? static_cast<float>(sum[i + 1] / length) : 1.0f;
        m.normals[v + 2] = usable ? static_cast<float>(sum[i + 2] / length) : 0.0f;
    }
}

void SetVertex(Mesh& m, std::size_t v, double x, double y, double height)
{
    m.positions[v * 3] = static_cast<float>(x);
    m.positions[v * 3 + 1] = static_cast<float>(height);
    m.positions[v * 3 + 2] = static_cast<float>(-y);
}

// The samples of one line for rings rows [first, last] (k * kMeshSegments + i is sample i of span k),
// as RingSamples gives them.
std::vector<Vector3> RingRows(const RecordList<CourseHandle>& handles, SpanCurve curve, int first, int last)
{
    std::vector<Vector3> rows;
    Vector3 span[kMeshSegments + 1];
    int sampled = -1;
    for (int k = first; k <= last; ++k) {
        const int s = k / kMeshSegments;
        if (s != sampled) {
            SampleSpan(handles[s], NextInRing(handles, s), curve, kMeshSegments, span);
            sampled = s;
        }
        rows.push_back(span[k % kMeshSegments]);
    }
    return rows;
}

// The rows whose samples a move of control point `moved` changes, [first, last), when they and two
// rows either side stay clear of the ring's seam.
bool MovedRows(int n, int moved, int& first, int& last)
{
    first = (moved - 1) * kMeshSegments;
    last = (moved + 1) * kMeshSegments;
    return n >= 5 && moved >= 2 && moved <= n - 3;
}

}  // namespace

bool UpdateRoadSpans(Mesh& road, const RecordList<CourseHandle>& handles, const HeightField& heights, int moved)
{
    const int n = handles.GetSize();
    int first = 0;
    int last = 0;
    const std::size_t rows = std::size_t(n) * kMeshSegments + 1;
    if (!MovedRows(n, moved, first, last) || road.VertexCount() % rows != 0 || road.texCoords.size() != road.VertexCount() * 2)
        return false;
    const auto across = static_cast<std::uint32_t>(road.VertexCount() / rows);
    // The rows across as a whole build counts them, from the borders the mesh holds and the new rows.
    std::vector<Vector3> right(rows);
    std::vector<Vector3> left(rows);
    for (std::size_t k = 0; k < rows; ++k) {
        const std::size_t a = k * across * 3;
        const std::size_t b = (k * across + across - 1) * 3;
        right[k] = Vector3(road.positions[a], -double(road.positions[a + 2]), 0.0);
        left[k] = Vector3(road.positions[b], -double(road.positions[b + 2]), 0.0);
    }
    const std::vector<Vector3> newRight = RingRows(handles, RightBorder, first, last);
    const std::vector<Vector3> newLeft = RingRows(handles, LeftBorder, first, last);
    const std::vector<Vector3> centre = RingRows(handles, Centre, first, last);
    for (int k = first; k <= last; ++k) {
        right[std::size_t(k)] = newRight[std::size_t(k - first)];
        left[std::size_t(k)] = newLeft[std::size_t(k - first)];
    }
    const int divisions = RoadDivisions(right, left, heights);
    if (std::uint32_t(divisions + 1) != across)
        return false;

    const auto v = [&road, across](int k) { return double(road.texCoords[(std::size_t(k) * across) * 2 + 1]); };
    const double oldLength = (v(last) - v(first)) * kRoadTextureLength;
    double along = v(first) * kRoadTextureLength;
    for (int k = first; k <= last; ++k) {
        const Vector3& r = right[std::size_t(k)];
        const Vector3& l = left[std::size_t(k)];
        const Vector3& c = centre[std::size_t(k - first)];
        if (k > first) {
            const Vector3& b = centre[std::size_t(k - first - 1)];
            along += std::hypot(double(c.x) - b.x, double(c.y) - b.y);
        }
        for (int j = 0; j <= divisions; ++j) {
            const double u = double(j) / divisions;
            const double x = j == divisions ? double(l.x) : r.x + (double(l.x) - r.x) * u;
            const double y = j == divisions ? double(l.y) : r.y + (double(l.y) - r.y) * u;
            const std::size_t vertex = std::size_t(k) * across + std::size_t(j);
            SetVertex(road, vertex, x, y, HeightAt(heights, x, y) + kRoadLift);
            road.texCoords[vertex * 2 + 1] = static_cast<float>(along / kRoadTextureLength);
        }
    }
    const double shift = along - v(first) * kRoadTextureLength - oldLength;
    for (std::size_t k = std::size_t(last) + 1; k < rows; ++k)
        for (std::uint32_t j = 0; j < across; ++j) {
            float& t = road.texCoords[(k * across + j) * 2 + 1];
            t = static_cast<float>(double(t) + shift / kRoadTextureLength);
        }
    // The rows that moved and one either side; the triangles of the strips touching them.
    RecomputeNormals(road, std::size_t(first) - 2, std::size_t(last) + 2, std::size_t(across - 1) * 2,
                     std::uint32_t(first - 1) * across, std::uint32_t(last + 2) * across);
    return true;
}

bool UpdateBorderSpans(Mesh& borders, const RecordList<CourseHandle>& handles, const HeightField& heights, int moved)
{
    const int n = handles.GetSize();
    int first = 0;
    int last = 0;
    const std::size_t rows = std::size_t(n) * kMeshSegments + 1;
    if (!MovedRows(n, moved, first, last) || borders.VertexCount() != rows * 4)
        return false;
    int curveIndex = 0;
    for (const SpanCurve curve : {RightBorder, LeftBorder}) {
        // A vertex's offset looks at the samples before and after it: one row more either side moves.
        const std::vector<Vector3> line = RingRows(handles, curve, first - 2, last + 1);
        const auto base = static_cast<std::uint32_t>(rows * 2 * std::size_t(curveIndex++));
        for (int k = first - 1; k <= last; ++k) {
            const Vector3& here = line[std::size_t(k - first + 2)];
            const Vector3& before = line[std::size_t(k - first + 1)];
            const Vector3& after = line[std::size_t(k - first + 3)];
            double ax = -(double(after.y) - before.y);
            double ay = double(after.x) - before.x;
            const double length = std::hypot(ax, ay);
            ax = length > 0.0 ? ax / length * (kBorderWidth / 2) : 0.0;
            ay = length > 0.0 ? ay / length * (kBorderWidth / 2) : 0.0;
            const double height = HeightAt(heights, here.x, here.y) + kBorderLift;
            SetVertex(borders, base + 2 * std::size_t(k), here.x - ax, here.y - ay, height);
            SetVertex(borders, base + 2 * std::size_t(k) + 1, here.x + ax, here.y + ay, height);
        }
        // Normals change a row further out than the vertices; the strips touching those rows. The
        // lines before this one hold rows - 1 strips each.
        const std::size_t strip0 = std::size_t(curveIndex - 1) * (rows - 1);
        RecomputeNormals(borders, strip0 + std::size_t(first) - 3, strip0 + std::size_t(last) + 2, 2,
                         base + 2 * std::uint32_t(first - 2), base + 2 * std::uint32_t(last + 2));
    }
    return true;
}
