#include "file/GlbFile.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <ostream>
#include <streambuf>

namespace {

// Builds the model's one buffer and the views and accessors into it.
class ModelBuilder {
public:
    explicit ModelBuilder(tinygltf::Model& model) : m_model(model) { m_model.buffers.emplace_back(); }

    // A view of bytes appended to the buffer at a 4-byte boundary, as every accessor needs.
    int AddView(const void* data, std::size_t bytes, int target)
    {
        std::vector<unsigned char>& buffer = m_model.buffers[0].data;
        buffer.resize((buffer.size() + 3) & ~std::size_t(3));
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = buffer.size();
        view.byteLength = bytes;
        view.target = target;
        const auto* begin = static_cast<const unsigned char*>(data);
        buffer.insert(buffer.end(), begin, begin + bytes);
        m_model.bufferViews.push_back(std::move(view));
        return static_cast<int>(m_model.bufferViews.size() - 1);
    }

    // An accessor of float vectors of `width` components; positions carry their bounds, as glTF asks.
    int AddFloats(const std::vector<float>& values, int width, int type, bool bounds)
    {
        tinygltf::Accessor a;
        a.bufferView = AddView(values.data(), values.size() * sizeof(float), TINYGLTF_TARGET_ARRAY_BUFFER);
        a.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
        a.count = values.size() / std::size_t(width);
        a.type = type;
        if (bounds) {
            a.minValues.assign(std::size_t(width), std::numeric_limits<double>::infinity());
            a.maxValues.assign(std::size_t(width), -std::numeric_limits<double>::infinity());
            for (std::size_t i = 0; i < values.size(); ++i) {
                const std::size_t k = i % std::size_t(width);
                a.minValues[k] = std::min<double>(a.minValues[k], values[i]);
                a.maxValues[k] = std::max<double>(a.maxValues[k], values[i]);
            }
        }
        m_model.accessors.push_back(std::move(a));
        return static_cast<int>(m_model.accessors.size() - 1);
    }

    int AddIndices(const std::vector<std::uint32_t>& indices)
    {
        tinygltf::Accessor a;
        a.bufferView = AddView(indices.data(), indices.size() * sizeof(std::uint32_t), TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        a.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
        a.count = indices.size();
        a.type = TINYGLTF_TYPE_SCALAR;
        m_model.accessors.push_back(std::move(a));
        return static_cast<int>(m_model.accessors.size() - 1);
    }

    // The mesh's index, or -1 for a mesh with no triangles (glTF has no empty accessor). The
    // mesh's own arrays are given back once in the buffer: a large course holds them only once.
    int AddMesh(Mesh& mesh, const std::string& name, int material)
    {
        if (mesh.indices.empty() || mesh.VertexCount() == 0)
            return -1;
        tinygltf::Primitive p;
        p.attributes["POSITION"] = AddFloats(mesh.positions, 3, TINYGLTF_TYPE_VEC3, true);
        p.attributes["NORMAL"] = AddFloats(mesh.normals, 3, TINYGLTF_TYPE_VEC3, false);
        if (!mesh.texCoords.empty())
            p.attributes["TEXCOORD_0"] = AddFloats(mesh.texCoords, 2, TINYGLTF_TYPE_VEC2, false);
        p.indices = AddIndices(mesh.indices);
        p.material = material;
        p.mode = TINYGLTF_MODE_TRIANGLES;
        tinygltf::Mesh m;
        m.name = name;
        m.primitives.push_back(std::move(p));
        m_model.meshes.push_back(std::move(m));
        mesh = Mesh{};
        return static_cast<int>(m_model.meshes.size() - 1);
    }

    int AddMaterial(const std::string& name, double grey, int texture = -1)
    {
        tinygltf::Material m;
        m.name = name;
        m.pbrMetallicRoughness.baseColorFactor = {grey, grey, grey, 1.0};
        m.pbrMetallicRoughness.metallicFactor = 0.0;
        m.pbrMetallicRoughness.roughnessFactor = 0.9;
        m.pbrMetallicRoughness.baseColorTexture.index = texture;
        m_model.materials.push_back(std::move(m));
        return static_cast<int>(m_model.materials.size() - 1);
    }

    // The PNG in the buffer, sampled with mipmaps and clamped at the edges as the terrain ends there.
    int AddPngTexture(const std::string& png)
    {
        tinygltf::Image image;
        image.mimeType = "image/png";
        image.bufferView = AddView(png.data(), png.size(), 0);
        m_model.images.push_back(std::move(image));
        tinygltf::Sampler sampler;
        sampler.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
        sampler.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
        sampler.wrapS = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
        sampler.wrapT = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
        m_model.samplers.push_back(std::move(sampler));
        tinygltf::Texture texture;
        texture.source = static_cast<int>(m_model.images.size() - 1);
        texture.sampler = static_cast<int>(m_model.samplers.size() - 1);
        m_model.textures.push_back(std::move(texture));
        return static_cast<int>(m_model.textures.size() - 1);
    }

    int AddNode(tinygltf::Node node)
    {
        m_model.nodes.push_back(std::move(node));
        const int index = static_cast<int>(m_model.nodes.size() - 1);
        m_model.scenes[0].nodes.push_back(index);
        return index;
    }

private:
    tinygltf::Model& m_model;
};

// Appends everything written to a string reserved beforehand, so the file's bytes exist once
// (a string stream grows by doubling and copies them again when asked for them).
class StringSink : public std::streambuf {
public:
    explicit StringSink(std::string& bytes) : m_bytes(bytes) {}

protected:
    std::streamsize xsputn(const char* data, std::streamsize n) override
    {
        m_bytes.append(data, static_cast<std::size_t>(n));
        return n;
    }
    int_type overflow(int_type c) override
    {
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            m_bytes.push_back(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }

private:
    std::string& m_bytes;
};

tinygltf::Node NamedNode(const std::string& name, int mesh)
{
    tinygltf::Node node;
    node.name = name;
    node.mesh = mesh;
    return node;
}

}  // namespace

std::string EncodeCourseGlb(CourseMeshes meshes, const std::string& terrainPng)
{
    tinygltf::Model model;
    model.asset.version = "2.0";
    model.asset.generator = "Trackwright";
    model.scenes.emplace_back();
    model.defaultScene = 0;
    ModelBuilder b(model);

    const int asphalt = b.AddMaterial("asphalt", 0.25);
    const int border = b.AddMaterial("border", 0.9);
    const int ground = terrainPng.empty() ? b.AddMaterial("terrain", 0.5)
                                          : b.AddMaterial("terrain", 1.0, b.AddPngTexture(terrainPng));
    const int footprint = meshes.objectMeshes.empty() ? -1 : b.AddMaterial("footprint", 0.6);

    b.AddNode(NamedNode("road", b.AddMesh(meshes.road, "road", asphalt)));
    b.AddNode(NamedNode("borders", b.AddMesh(meshes.borders, "borders", border)));
    b.AddNode(NamedNode("terrain", b.AddMesh(meshes.terrain, "terrain", ground)));
    std::vector<int> footprintMeshes;
    footprintMeshes.reserve(meshes.objectMeshes.size());
    for (Mesh& m : meshes.objectMeshes)
        footprintMeshes.push_back(b.AddMesh(m, "footprint", footprint));
    for (const ObjectNode& o : meshes.objects) {
        tinygltf::Node node = NamedNode(o.name, footprintMeshes.at(o.mesh));
        node.translation.assign(o.translation.begin(), o.translation.end());
        node.rotation.assign(o.rotation.begin(), o.rotation.end());
        tinygltf::Value::Object extras;
        extras["file"] = tinygltf::Value(o.name);
        node.extras = tinygltf::Value(std::move(extras));
        b.AddNode(std::move(node));
    }

    // The binary chunk, its header and room for the JSON (about 300 bytes a node).
    std::string bytes;
    bytes.reserve(model.buffers[0].data.size() + 300 * model.nodes.size() + (64 << 10));
    StringSink sink(bytes);
    std::ostream out(&sink);
    tinygltf::TinyGLTF writer;
    if (!writer.WriteGltfSceneToStream(&model, out, false, true) || !out)
        return {};
    return bytes;
}
