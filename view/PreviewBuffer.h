#pragma once

#include "geometry/CourseMeshes.h"

#include <cstdint>
#include <vector>

// One mesh of the preview as the GL keeps it: its positions, normals (and colours, when given) and
// triangles in buffer objects, filled once per build and drawn from there every frame, so the
// renderer neither takes them from the arrays again nor goes through a display list.
class PreviewBuffer {
public:
    // Fills the buffers on the current context from mesh, with one r g b per vertex when colours
    // is not empty. False, with nothing kept, when the GL would not take them (out of memory):
    // Draw then draws nothing and the caller draws from the arrays.
    bool Fill(const Mesh& mesh, const std::vector<float>& colours = {});
    // Puts other triangles over the same vertices (a level of detail). False when the GL would not
    // take them: the buffers are then let go, as by Release.
    bool FillIndices(const std::vector<std::uint32_t>& indices);
    void Draw() const;
    bool Filled() const { return m_count > 0; }
    // The name of the vertex buffer (0 when not filled): whether the current context still knows it
    // tells whether the context the buffers were made on is still there.
    unsigned VertexBuffer() const { return m_vertices; }
    // Deletes the buffers; the context they were made on must be current.
    void Release();
    // Forgets the buffers without asking the GL: their context is gone, and the names with it.
    void Forget();

private:
    unsigned m_vertices = 0;
    unsigned m_indices = 0;
    int m_count = 0;
    std::size_t m_normalsAt = 0;   // bytes into the vertex buffer
    std::size_t m_coloursAt = 0;   // 0: no colours
};

// The same triangles of a terrain grid of columns x rows vertices (as TerrainMesh lays it out), with
// the same corners in the same turn, in column bands of at most band quads whose vertices are
// numbered band by band. A row of the whole grid is longer than the software renderer's vertex cache,
// so drawn in its own order a corner shared by two rows is lit again for each; in bands, about once.
// A mesh that is not such a grid comes back as it is.
Mesh TerrainInBands(const Mesh& terrain, std::int32_t columns, std::int32_t rows, std::int32_t band);
