// Draws every mesh node of a binary glTF file from above at an angle, lit from the sun, with its
// base colour and texture, into a PNG: a look at an export without a viewer on the machine.
#include "framework/ImageFile.h"
#include "framework/egl/EglContext.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <tiny_gltf.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

const float* Floats(const tinygltf::Model& m, int accessor)
{
    const tinygltf::Accessor& a = m.accessors.at(std::size_t(accessor));
    const tinygltf::BufferView& v = m.bufferViews.at(std::size_t(a.bufferView));
    return reinterpret_cast<const float*>(m.buffers.at(0).data.data() + v.byteOffset + a.byteOffset);
}

const std::uint32_t* Indices(const tinygltf::Model& m, int accessor)
{
    const tinygltf::Accessor& a = m.accessors.at(std::size_t(accessor));
    const tinygltf::BufferView& v = m.bufferViews.at(std::size_t(a.bufferView));
    return reinterpret_cast<const std::uint32_t*>(m.buffers.at(0).data.data() + v.byteOffset + a.byteOffset);
}

GLuint Texture(const tinygltf::Image& image)
{
    GLuint t = 0;
    glGenTextures(1, &t);
    glBindTexture(GL_TEXTURE_2D, t);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, image.component, image.width, image.height,
                      image.component == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, image.image.data());
    return t;
}

void DrawPrimitive(const tinygltf::Model& m, const tinygltf::Primitive& p, const double* rotation, const double* translation)
{
    const tinygltf::Material* material = p.material >= 0 ? &m.materials[std::size_t(p.material)] : nullptr;
    const std::vector<double> colour = material ? material->pbrMetallicRoughness.baseColorFactor : std::vector<double>{1, 1, 1, 1};
    const int texture = material ? material->pbrMetallicRoughness.baseColorTexture.index : -1;
    const float* pos = Floats(m, p.attributes.at("POSITION"));
    const float* nor = Floats(m, p.attributes.at("NORMAL"));
    const float* uv = p.attributes.count("TEXCOORD_0") ? Floats(m, p.attributes.at("TEXCOORD_0")) : nullptr;
    const std::uint32_t* idx = Indices(m, p.indices);
    const std::size_t count = m.accessors[std::size_t(p.indices)].count;
    if (texture >= 0) {
        static std::vector<GLuint> made(m.textures.size(), 0);
        GLuint& t = made[std::size_t(texture)];
        if (t == 0)
            t = Texture(m.images[std::size_t(m.textures[std::size_t(texture)].source)]);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, t);
    }
    glPushMatrix();
    glTranslated(translation[0], translation[1], translation[2]);
    // Node rotations here turn about the up axis only.
    glRotated(2.0 * std::atan2(rotation[1], rotation[3]) * 180.0 / 3.141592653589793, 0, 1, 0);
    glColor4d(colour[0], colour[1], colour[2], 1.0);
    glBegin(GL_TRIANGLES);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t v = idx[i];
        glNormal3fv(nor + 3 * v);
        if (uv)
            glTexCoord2fv(uv + 2 * v);   // the image's top row went up first, at t 0, where glTF's v is 0
        glVertex3fv(pos + 3 * v);
    }
    glEnd();
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: glb_view FILE.glb OUT.png [WxH [top]]\n");
        return 2;
    }
    int width = 1280;
    int height = 800;
    if (argc > 3)
        std::sscanf(argv[3], "%dx%d", &width, &height);
    tinygltf::Model m;
    tinygltf::TinyGLTF loader;
    std::string err;
    std::string warn;
    if (!loader.LoadBinaryFromFile(&m, &err, &warn, argv[1])) {
        std::fprintf(stderr, "glb_view: %s\n", err.c_str());
        return 1;
    }
    EglContext gl;
    if (!gl.Create(width, height))
        return 1;
    glViewport(0, 0, width, height);
    glClearColor(0.55f, 0.7f, 0.9f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // "top": straight down on the map square, course y up the picture, unlit: the colours and the
    // layout to hold against the editor's own picture of the course.
    const bool top = argc > 4 && std::string(argv[4]) == "top";
    if (top)
        glOrtho(-128.0 * width / height, 128.0 * width / height, -128.0, 128.0, 1.0, 2000.0);
    else
        gluPerspective(40.0, double(width) / height, 1.0, 2000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Otherwise from the south-west, high up, looking at the middle of the map square.
    if (top)
        gluLookAt(0.0, 500.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, -1.0);
    else
        gluLookAt(-150.0, 170.0, 230.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    if (!top)
        glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_NORMALIZE);
    const GLfloat sun[4] = {-0.4f, 0.8f, 0.3f, 0.0f};
    const GLfloat ambient[4] = {0.35f, 0.35f, 0.35f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, sun);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    for (const tinygltf::Node& node : m.nodes) {
        if (node.mesh < 0)
            continue;
        const double none[4] = {0, 0, 0, 1};
        const double* r = node.rotation.size() == 4 ? node.rotation.data() : none;
        const double* t = node.translation.size() == 3 ? node.translation.data() : none;
        for (const tinygltf::Primitive& p : m.meshes[std::size_t(node.mesh)].primitives)
            DrawPrimitive(m, p, r, t);
    }
    glFinish();
    const std::string png = EncodePng(width, height, gl.ReadRgba());
    std::ofstream(argv[2], std::ios::binary).write(png.data(), std::streamsize(png.size()));
    return png.empty() ? 1 : 0;
}
