#pragma once

#include "view/PreviewCamera.h"

#include <cstdint>
#include <vector>

// The preview's level of detail: where every part is far enough away, a row-structured mesh is drawn
// with only every stride-th row (and the terrain also every stride-th column) of its own vertices,
// always keeping the last. One stride for a whole part, from its nearest point, so no seam opens
// between pieces drawn finer and coarser. The vertices are the mesh's own; only the triangles
// between them are fewer.

// The most rows a stride skips, and what the rows of a stride may span on screen at the part's
// nearest point.
constexpr int kMaxDetailStride = 16;
constexpr double kDetailPixels = 2.0;

// The largest power of two up to kMaxDetailStride by which spacing (the widest step between rows,
// in world units) may grow and still span at most kDetailPixels at distance nearest, where one unit
// at distance one spans pixelsPerUnit; and at most maxSpacing (0: no bound). 1 when nothing is far.
int DetailStride(double spacing, double nearest, double pixelsPerUnit, double maxSpacing);

// How far eye is from the nearest point of bounds (0 inside; infinite for empty bounds).
double NearestDistance(const WorldBounds& bounds, const WorldPoint& eye);

// The triangles of a mesh made of blocks of rows x across vertices (block after block, row after
// row), each strip between two rows holding the same number of triangles in the same pattern, at
// stride: every strip from kept row k reaches to the next kept row instead of row k + 1.
std::vector<std::uint32_t> RowsAtStride(const std::vector<std::uint32_t>& indices, std::size_t blocks, std::size_t rows,
                                        std::uint32_t across, int stride);

// The terrain grid's triangles (TerrainMesh's turn) on the vertices TerrainInBands numbers, at stride
// in both directions within each band; stride 1 is TerrainInBands' own triangles.
std::vector<std::uint32_t> TerrainBandIndices(std::int32_t columns, std::int32_t rows, std::int32_t band, int stride);
