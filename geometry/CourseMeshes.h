#pragma once

#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"
#include "geometry/TerrainHeights.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The course as 3-D meshes for the export and the 3-D preview. Axes are glTF's: x is course x,
// y is up (the height), z is minus course y; one course unit is a metre.
struct Mesh {
    std::vector<float> positions;        // x y z per vertex
    std::vector<float> normals;          // unit x y z per vertex
    std::vector<float> texCoords;        // u v per vertex, or none
    std::vector<std::uint32_t> indices;  // triangles, counter-clockwise seen from above
    std::size_t VertexCount() const { return positions.size() / 3; }
};

// One placed object: a node at its position and the height there, turned by its direction
// about the up axis, holding the flat rectangle of its footprint.
struct ObjectNode {
    std::string name;                  // the object's file name
    std::array<float, 3> translation{};
    std::array<float, 4> rotation{};   // unit quaternion x y z w
    std::size_t mesh = 0;              // into CourseMeshes::objectMeshes
};

struct CourseMeshes {
    Mesh road;      // between the borders, on the drawn samples, kRoadLift above the ground; each
                    // row runs straight across from the right border (u 0) to the left (u 1)
    Mesh borders;   // both border lines as strips kBorderWidth wide, kBorderLift above the ground
    Mesh terrain;   // a grid over the map square; texture coordinates place the colour map as the view
                    // does, v from the image's top row (its last decoded row) down
    std::vector<Mesh> objectMeshes;   // one per footprint size, in the node's own frame
    std::vector<ObjectNode> objects;  // one per object, in list order
};

// Segments per span: the samples the view draws.
constexpr int kMeshSegments = 20;
// The most terrain vertices along a side; a larger map is sampled at a fixed stride.
constexpr std::int32_t kMaxTerrainSide = 1025;
constexpr float kRoadLift = 0.05f;
// The most divisions across the road (one per height-map texel it spans, at least one), and the
// most road vertices those divisions may make (half the largest terrain).
constexpr int kMaxRoadDivisions = 16;
constexpr std::size_t kMaxRoadVertices = std::size_t(1) << 19;
constexpr float kBorderLift = 0.1f;
constexpr float kBorderWidth = 0.2f;
constexpr float kFootprintLift = 0.1f;
// The road's v runs along the centre line, one unit per this many course units.
constexpr double kRoadTextureLength = 10.0;

Mesh RoadMesh(const RecordList<CourseHandle>& handles, const HeightField& heights);
Mesh BorderMesh(const RecordList<CourseHandle>& handles, const HeightField& heights);
Mesh TerrainMesh(const HeightField& heights);
// The vertices TerrainMesh lays along x (columns) and along course y (rows), row after row.
void TerrainGridSize(const HeightField& heights, std::int32_t& columns, std::int32_t& rows);
CourseMeshes BuildCourseMeshes(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects,
                               const HeightField& heights);

// After control point `moved` of a ring of the same size took new values, brings meshes that
// RoadMesh and BorderMesh built for the ring before up to date in place: only the rows of the spans
// next to it and the normals beside them are built again, exactly as a whole build places them; the
// road's v past them moves by the change in the centre line's length (within a float's rounding of
// a whole build). False, with the mesh untouched, where that cannot hold (the road's rows across
// change, or the spans reach the ring's seam): build it whole then.
bool UpdateRoadSpans(Mesh& road, const RecordList<CourseHandle>& handles, const HeightField& heights, int moved);
bool UpdateBorderSpans(Mesh& borders, const RecordList<CourseHandle>& handles, const HeightField& heights, int moved);
