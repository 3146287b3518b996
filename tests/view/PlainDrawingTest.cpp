// The view's fast line batching may not change a pixel: random scenes drawn by the view and in
// plain immediate mode (line strips, colours between blocks, list order) must match byte for byte.
#include "ViewScene.h"

#include "geometry/CourseSpline.h"
#include "view/DrawHelpers.h"

#include <GL/gl.h>

#include <random>
#include <utility>
#include <string>
#include <vector>

namespace {

// One primitive of the given points.
template <class Points>
void Draw(GLenum mode, const Points& points)
{
    glBegin(mode);
    for (const Vector3& v : points)
        glVertex3f(v.x, v.y, v.z);
    glEnd();
}
void Draw(GLenum mode, std::initializer_list<Vector3> points) { Draw<std::initializer_list<Vector3>>(mode, points); }
// The current colour kept across a piece that paints red, as glPushAttrib(GL_CURRENT_BIT) does.
struct KeepColour {
    KeepColour() { glGetFloatv(GL_CURRENT_COLOR, rgba); }
    ~KeepColour() { glColor4fv(rgba); }
    GLfloat rgba[4];
};
// A circle of radius 1 as a line strip, or filled red as a fan around its centre.
void PlainCircle(const Vector3& q, bool filled)
{
    KeepColour keep;
    std::vector<Vector3> points;
    if (filled)
        glColor3f(1.0f, 0.0f, 0.0f), points.push_back(q);
    for (int k = 0; k <= 12; ++k)
        points.push_back(CirclePoint(q, 1.0f, 12, k));
    Draw(filled ? GL_TRIANGLE_FAN : GL_LINE_STRIP, points);
}
void PlainArrow(const Vector3& base, const Vector3& v, float s, bool highlighted)
{
    const Vector3 tip = base + v * s;
    Vector3 back = -v;
    back.Normalize();
    back *= 5.0;
    const Vector3 sideA = tip + RotatedZ(back, 0.34906587f), sideB = tip + RotatedZ(back, -0.34906587f);
    {
        KeepColour keep;
        if (highlighted)
            glColor3f(1.0f, 0.0f, 0.0f), Draw(GL_TRIANGLES, {tip, sideA, sideB});
        else
            Draw(GL_LINE_STRIP, {sideB, tip, sideA, sideB});
    }
    Draw(GL_LINES, {base, tip});
}

void PlainWidthMarker(const CourseHandle& h, BorderSide side, float width, bool highlighted)
{
    const Vector3 m = h.vPos + h.BorderOffset(side, width);
    PlainCircle(m, highlighted);
    Draw(GL_LINES, {h.vPos, m});
}

void PlainSpan(const CourseHandle& h0, const CourseHandle& h1, SpanCurve curve)
{
    Vector3 v[21];
    SampleSpan(h0, h1, curve, 20, v);
    Draw(GL_LINE_STRIP, v);
}
void PlainFrame(const XObject& o, float s)
{
    glPushMatrix();
    glTranslatef(o.Pos.x, o.Pos.y, o.Pos.z);
    glRotatef(-o.Direction * 57.2957763671875f, 0.0f, 0.0f, 1.0f);
    glScalef(s, s, s);
    const double w = o.Width, h = o.Height;
    Draw(GL_LINE_STRIP, {Vector3(-w, -h, 0), Vector3(w, -h, 0), Vector3(w, h, 0), Vector3(-w, h, 0), Vector3(-w, -h, 0)});
    glPopMatrix();
}

class PlainDrawing : public ViewScene {
protected:
    void SetUp() override
    {
        ViewScene::SetUp();
        Open(640, 480);
        frameHost.client = CRect(0, 0, 640, 500);
        frame.SetHost(&frameHost);
    }

    void PlainScene()
    {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPushMatrix();
        glScalef(view->m_fZoom, view->m_fZoom, 1.0f);
        glTranslatef(-view->m_vCamera.x, -view->m_vCamera.y, -view->m_vCamera.z);

        const CourseData& c = doc.m_course;
        const float L = c.m_texLuminance;
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, c.m_mapTexture);
        glColor3f(L, L, L);
        glBegin(GL_QUADS);
        for (const auto& [u, v] : {std::pair{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}})
            glTexCoord2f(u, v), glVertex3f(256.0f * u - 128.0f, 256.0f * v - 128.0f, -1.0f);
        glEnd();
        glDisable(GL_TEXTURE_2D);

        const int n = c.m_handles.GetSize();
        for (int i = 0; i < n; ++i) {
            const CourseHandle& h = c.m_handles[i];
            glColor3f(1.0f, 1.0f, 1.0f);
            PlainCircle(h.vPos, h.HoverPart == HandlePart::Pos);
            PlainArrow(h.vPos, h.vTanNext, 0.2f, h.HoverPart == HandlePart::TanNext);
            PlainArrow(h.vPos, h.vTanPrev, 0.2f, h.HoverPart == HandlePart::TanPrev);
            PlainWidthMarker(h, BorderSide::Left, h.WidthLeft, h.HoverPart == HandlePart::WidthLeft);
            PlainWidthMarker(h, BorderSide::Right, h.WidthRight, h.HoverPart == HandlePart::WidthRight);
            h.HoverPart == HandlePart::Span ? glColor3f(1.0f, 0.0f, 0.0f) : glColor3f(0.6f, 0.6f, 0.6f);
            PlainSpan(h, c.m_handles[(i + 1) % n], Centre);
            glColor3f(1.0f, 1.0f, 1.0f);
            PlainSpan(h, c.m_handles[(i + 1) % n], LeftBorder);
            PlainSpan(h, c.m_handles[(i + 1) % n], RightBorder);
        }

        for (const XObject& o : doc.m_xobjects) {
            PlainCircle(o.Pos, o.HoverPart == ObjectPart::Body);
            if (o.HoverPart == ObjectPart::Body)
                view->m_TextOverlay.Printf(frameHost.cursor.x, frameHost.client.bottom - frameHost.cursor.y, "%s",
                                           o.FileName.c_str());
            PlainArrow(o.Pos, RotatedZ(Vector3(0.0, 10.0, 0.0), o.Direction), 1.0f,
                       o.HoverPart == ObjectPart::DirectionTip);
            PlainFrame(o, doc.m_xobjectScale);
        }
        glPopMatrix();
        view->DrawTypeList();
        glFinish();
    }

    std::vector<uint8_t> Frame() { return m_gl.ReadRgba(); }

    TestWndHost frameHost;
    CFrameWnd frame;
};

TEST_F(PlainDrawing, RandomScenesLightTheSamePixels)
{
    std::mt19937 rng(20261206);
    auto U = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto I = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    const std::string map = std::string(TW_SOURCE_DIR) + "/samples/hills.bmp";
    for (int scene = 0; scene < 24; ++scene) {
        doc.m_course.m_handles.SetSize(0);
        doc.m_xobjects.RemoveAll();
        // Scene 0 has no course: objects take the map's grey.
        const int handles = scene == 0 ? 0 : I(1, 150);
        const double radius = U(10, 140);
        for (int i = 0; i < handles; ++i) {
            const double a = 6.2831853 * i / handles + U(-0.2, 0.2);
            CourseHandle h;
            h.vPos = Vector3(radius * std::cos(a) + U(-8, 8), radius * std::sin(a) + U(-8, 8),
                             I(0, 7) == 0 ? U(-2, 2) : 0.0);
            const double t = U(0, 50);
            const int kind = I(0, 4);   // smooth, corner, or a zero tangent
            h.vTanNext = kind == 0 ? Vector3(0, 0, 0) : Vector3(-t * std::sin(a) + U(-15, 15), t * std::cos(a), 0);
            h.vTanPrev = kind == 1 ? Vector3(U(-30, 30), U(-30, 30), 0) : -h.vTanNext;
            h.WidthLeft = static_cast<float>(U(0, 12));
            h.WidthRight = static_cast<float>(U(0, 12));
            if (I(0, 10) == 0)
                h.HoverPart = static_cast<HandlePart>(I(1, 6));
            doc.m_course.m_handles.Add(h);
        }
        const int objects = I(0, 150);
        for (int i = 0; i < objects; ++i) {
            XObject o("obj" + std::to_string(i) + ".x", Vector3(U(-170, 170), U(-120, 120), I(0, 7) == 0 ? U(-2, 2) : 0.0),
                      static_cast<float>(U(-7, 7)), static_cast<float>(U(0.5, 20)), static_cast<float>(U(0.5, 20)));
            if (I(0, 25) == 0)
                o.HoverPart = static_cast<ObjectPart>(I(1, 2));
            doc.m_xobjects.Add(o);
        }
        doc.m_xobjectScale = I(0, 2) == 0 ? static_cast<float>(U(0.1, 2)) : 0.4f;
        doc.m_course.m_texLuminance = static_cast<float>(U(0, 1));
        if (scene % 4 == 1) {
            ASSERT_TRUE(doc.m_course.LoadMapTexture(map));
        }
        view->m_fZoom = scene % 3 == 0 ? static_cast<float>(U(0.3, 5)) : 1.0f;
        view->m_vCamera.x = static_cast<float>(U(-40, 40));
        view->m_vCamera.y = static_cast<float>(U(-40, 40));
        frameHost.cursor = CPoint(I(0, 640), I(0, 480));
        app.m_pMainWnd = &frame;

        Render();
        const std::vector<uint8_t> fast = Frame();
        PlainScene();
        const std::vector<uint8_t> plain = Frame();
        app.m_pMainWnd = nullptr;

        std::size_t differing = 0;
        for (std::size_t k = 0; k < fast.size(); k += 4)
            differing += fast[k] != plain[k] || fast[k + 1] != plain[k + 1] || fast[k + 2] != plain[k + 2];
        EXPECT_EQ(differing, 0u) << "scene " << scene << ": " << handles << " handles, " << objects << " objects";
    }
}

}  // namespace
