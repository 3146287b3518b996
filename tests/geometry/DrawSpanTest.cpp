// DrawSpan as GL sees it: the vertices of its connected segments, read back through feedback mode
// in a headless context.
#define GL_GLEXT_PROTOTYPES 1
#include "geometry/CourseSpline.h"
#include "view/GlLines.h"
#include "support/Handles.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

// A compatibility context with a 400 x 400 framebuffer object; course (x, y) lands on
// window (x + 200, y + 200).
class FeedbackContext : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        auto getDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
            eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (!getDisplay)
            return;
        s_display = getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (s_display == EGL_NO_DISPLAY || !eglInitialize(s_display, nullptr, nullptr))
            return;
        eglBindAPI(EGL_OPENGL_API);
        const EGLint configAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                        EGL_NONE};
        EGLConfig config;
        EGLint count = 0;
        if (!eglChooseConfig(s_display, configAttribs, &config, 1, &count) || count < 1)
            return;
        const EGLint contextAttribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                         EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
        const EGLContext context = eglCreateContext(s_display, config, EGL_NO_CONTEXT, contextAttribs);
        if (context == EGL_NO_CONTEXT || !eglMakeCurrent(s_display, EGL_NO_SURFACE, EGL_NO_SURFACE, context))
            return;
        GLuint fbo = 0, colour = 0;
        glGenFramebuffers(1, &fbo);
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
        glGenRenderbuffers(1, &colour);
        glBindRenderbuffer(GL_RENDERBUFFER, colour);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 400, 400);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
        s_ready = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }

    void SetUp() override
    {
        if (!s_ready)
            GTEST_SKIP() << "no headless GL context";
        glViewport(0, 0, 400, 400);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-200, 200, -200, 200, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // The window positions of the line strip one DrawSpan emits.
    static std::vector<Vector3> Feedback(const CourseHandle& a, const CourseHandle& b, int curve, int N)
    {
        std::vector<GLfloat> buffer(4096);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
        glRenderMode(GL_FEEDBACK);
        a.DrawSpan(b, curve, N, kWhite);
        const GLint used = glRenderMode(GL_RENDER);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        std::vector<Vector3> strip;
        for (GLint i = 0; i + 6 < used; i += 7) {
            EXPECT_TRUE(buffer[i] == GL_LINE_RESET_TOKEN || buffer[i] == GL_LINE_TOKEN);
            if (strip.empty())
                strip.push_back(Vector3(buffer[i + 1] - 200.0, buffer[i + 2] - 200.0, 0));
            strip.push_back(Vector3(buffer[i + 4] - 200.0, buffer[i + 5] - 200.0, 0));
        }
        return strip;
    }

    static inline EGLDisplay s_display = EGL_NO_DISPLAY;
    static inline bool s_ready = false;
};

}  // namespace

TEST_F(FeedbackContext, DrawSpanEmitsTheSampledLineAsConnectedSegments)
{
    const CourseHandle a = MakeHandle(-100, -20, 150, 0, -150, 0, 5.0f, 7.0f);
    const CourseHandle b = MakeHandle(100, 30, 0, 150, 0, -150, 5.0f, 7.0f);
    for (int curve : {int(Centre), int(LeftBorder), int(RightBorder)}) {
        Vector3 expected[21];
        ASSERT_EQ(SampleSpan(a, b, curve, 20, expected), 21);
        const std::vector<Vector3> strip = Feedback(a, b, curve, 20);
        ASSERT_EQ(strip.size(), 21u) << curve;
        for (int i = 0; i < 21; ++i) {
            EXPECT_NEAR(strip[i].x, expected[i].x, 1e-3) << curve << " vertex " << i;
            EXPECT_NEAR(strip[i].y, expected[i].y, 1e-3) << curve << " vertex " << i;
        }
    }
}

TEST_F(FeedbackContext, FewerThanOneSegmentDrawsNothingAndLeavesGLClean)
{
    const CourseHandle a = MakeHandle(0, 0, 50, 0, -50, 0);
    const CourseHandle b = MakeHandle(50, 0, 50, 0, -50, 0);
    EXPECT_TRUE(Feedback(a, b, Centre, 0).empty());
    EXPECT_TRUE(Feedback(a, b, Centre, -3).empty());
    EXPECT_EQ(Feedback(a, b, Centre, 1).size(), 2u);
}
