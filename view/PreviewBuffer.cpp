// Buffer objects are GL 1.5, declared past GL 1.1's header only with the prototypes.
#define GL_GLEXT_PROTOTYPES
#include "view/PreviewBuffer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

namespace {

void AppendVertex(Mesh& out, const Mesh& in, std::size_t v)
{
    out.positions.insert(out.positions.end(), in.positions.begin() + std::ptrdiff_t(3 * v),
                         in.positions.begin() + std::ptrdiff_t(3 * v + 3));
    out.normals.insert(out.normals.end(), in.normals.begin() + std::ptrdiff_t(3 * v), in.normals.begin() + std::ptrdiff_t(3 * v + 3));
}

}  // namespace

bool PreviewBuffer::Fill(const Mesh& mesh, const std::vector<float>& colours)
{
    Release();
    if (mesh.indices.empty() || mesh.normals.size() != mesh.positions.size() ||
        (!colours.empty() && colours.size() != mesh.positions.size()))
        return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    const std::size_t floats = mesh.positions.size() * sizeof(float);
    m_normalsAt = floats;
    m_coloursAt = colours.empty() ? 0 : 2 * floats;
    glGenBuffers(1, &m_vertices);
    glGenBuffers(1, &m_indices);
    glBindBuffer(GL_ARRAY_BUFFER, m_vertices);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(colours.empty() ? 2 * floats : 3 * floats), nullptr, GL_STATIC_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(floats), mesh.positions.data());
    glBufferSubData(GL_ARRAY_BUFFER, GLintptr(m_normalsAt), GLsizeiptr(floats), mesh.normals.data());
    if (!colours.empty())
        glBufferSubData(GL_ARRAY_BUFFER, GLintptr(m_coloursAt), GLsizeiptr(floats), colours.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(mesh.indices.size() * sizeof(std::uint32_t)), mesh.indices.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    m_count = int(mesh.indices.size());
    if (glGetError() != GL_NO_ERROR || m_vertices == 0 || m_indices == 0) {
        Release();
        return false;
    }
    return true;
}

bool PreviewBuffer::FillIndices(const std::vector<std::uint32_t>& indices)
{
    if (!Filled() || indices.empty())
        return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(std::uint32_t)), indices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    if (glGetError() != GL_NO_ERROR) {
        // The old triangles went with the failed call: nothing is drawn rather than a guess.
        Release();
        return false;
    }
    m_count = int(indices.size());
    return true;
}

void PreviewBuffer::Draw() const
{
    if (!Filled())
        return;
    glBindBuffer(GL_ARRAY_BUFFER, m_vertices);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glNormalPointer(GL_FLOAT, 0, reinterpret_cast<const void*>(m_normalsAt));
    if (m_coloursAt != 0) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, 0, reinterpret_cast<const void*>(m_coloursAt));
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indices);
    glDrawElements(GL_TRIANGLES, m_count, GL_UNSIGNED_INT, nullptr);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (m_coloursAt != 0)
        glDisableClientState(GL_COLOR_ARRAY);
}

void PreviewBuffer::Release()
{
    if (m_vertices != 0)
        glDeleteBuffers(1, &m_vertices);
    if (m_indices != 0)
        glDeleteBuffers(1, &m_indices);
    Forget();
}

void PreviewBuffer::Forget()
{
    m_vertices = 0;
    m_indices = 0;
    m_count = 0;
    m_normalsAt = 0;
    m_coloursAt = 0;
}

Mesh TerrainInBands(const Mesh& terrain, std::int32_t columns, std::int32_t rows, std::int32_t band)
{
    const std::size_t quads = std::size_t(std::max(columns - 1, 0)) * std::size_t(std::max(rows - 1, 0));
    if (columns < 2 || rows < 2 || band < 1 || terrain.VertexCount() != std::size_t(columns) * std::size_t(rows) ||
        terrain.normals.size() != terrain.positions.size() || terrain.indices.size() != 6 * quads)
        return terrain;
    Mesh out;
    out.positions.reserve(terrain.positions.size() + terrain.positions.size() / std::size_t(band));
    out.normals.reserve(out.positions.capacity());
    out.indices.reserve(terrain.indices.size());
    const auto across = static_cast<std::uint32_t>(columns);
    for (std::int32_t c0 = 0; c0 + 1 < columns; c0 += band) {
        const std::int32_t c1 = std::min(columns - 1, c0 + band);
        const auto base = static_cast<std::uint32_t>(out.VertexCount());
        const auto width = static_cast<std::uint32_t>(c1 - c0 + 1);
        for (std::int32_t r = 0; r < rows; ++r)
            for (std::int32_t c = c0; c <= c1; ++c)
                AppendVertex(out, terrain, std::size_t(r) * across + std::size_t(c));
        // Each quad's two triangles as the grid has them, their corners renumbered into the band.
        for (std::int32_t r = 0; r + 1 < rows; ++r) {
            for (std::int32_t c = c0; c < c1; ++c) {
                const std::size_t t = (std::size_t(r) * (across - 1) + std::size_t(c)) * 6;
                for (std::size_t k = 0; k < 6; ++k) {
                    const std::uint32_t v = terrain.indices[t + k];
                    const std::uint32_t vr = v / across;
                    const std::uint32_t vc = v % across;
                    out.indices.push_back(base + (vr * width) + (vc - std::uint32_t(c0)));
                }
            }
        }
    }
    return out;
}
