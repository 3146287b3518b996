#include "framework/egl/EglContext.h"

#include <cstddef>

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

namespace {

// Framebuffer entry points are not part of GL 1.1; they are looked up once.
struct FramebufferApi {
    PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;

    bool Complete() const
    {
        return GenFramebuffers && DeleteFramebuffers && BindFramebuffer && GenRenderbuffers &&
               DeleteRenderbuffers && BindRenderbuffer && RenderbufferStorage &&
               FramebufferRenderbuffer && CheckFramebufferStatus;
    }
};

template <typename T>
void Lookup(T& fn, const char* name)
{
    fn = reinterpret_cast<T>(eglGetProcAddress(name));
}

const FramebufferApi& Fbo()
{
    static const FramebufferApi api = [] {
        FramebufferApi a;
        Lookup(a.GenFramebuffers, "glGenFramebuffers");
        Lookup(a.DeleteFramebuffers, "glDeleteFramebuffers");
        Lookup(a.BindFramebuffer, "glBindFramebuffer");
        Lookup(a.GenRenderbuffers, "glGenRenderbuffers");
        Lookup(a.DeleteRenderbuffers, "glDeleteRenderbuffers");
        Lookup(a.BindRenderbuffer, "glBindRenderbuffer");
        Lookup(a.RenderbufferStorage, "glRenderbufferStorage");
        Lookup(a.FramebufferRenderbuffer, "glFramebufferRenderbuffer");
        Lookup(a.CheckFramebufferStatus, "glCheckFramebufferStatus");
        return a;
    }();
    return api;
}

// One display for the whole process, never terminated: unloading the driver at exit would
// otherwise show up as leaks under the sanitizers.
struct Display {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLConfig config = nullptr;
};

const Display& TheDisplay()
{
    static const Display d = [] {
        Display r;
        auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
            eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (!getPlatformDisplay)
            return r;
        EGLDisplay dpy = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (dpy == EGL_NO_DISPLAY)
            return r;
        EGLint major = 0;
        EGLint minor = 0;
        if (!eglInitialize(dpy, &major, &minor))
            return r;
        const EGLint attribs[] = {
            EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
            EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
            EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
            EGL_DEPTH_SIZE, 24,
            EGL_NONE,
        };
        EGLConfig config = nullptr;
        EGLint count = 0;
        if (!eglChooseConfig(dpy, attribs, &config, 1, &count) || count < 1)
            return r;
        r.display = dpy;
        r.config = config;
        return r;
    }();
    return d;
}

}  // namespace

EglContext::~EglContext()
{
    Release();
}

bool EglContext::Create(int width, int height, const EglContext* shareWith)
{
    Release();
    const Display& d = TheDisplay();
    if (d.display == EGL_NO_DISPLAY)
        return false;
    if (!eglBindAPI(EGL_OPENGL_API))
        return false;
    const EGLint ctxAttribs[] = {
        EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
        EGL_NONE,
    };
    EGLContext share = shareWith ? static_cast<EGLContext>(shareWith->m_context) : EGL_NO_CONTEXT;
    EGLContext ctx = eglCreateContext(d.display, d.config, share, ctxAttribs);
    if (ctx == EGL_NO_CONTEXT)
        return false;
    m_context = ctx;
    if (!MakeCurrent() || !Fbo().Complete()) {
        Release();
        return false;
    }
    const FramebufferApi& fbo = Fbo();
    fbo.GenFramebuffers(1, &m_framebuffer);
    fbo.GenRenderbuffers(1, &m_colorBuffer);
    fbo.GenRenderbuffers(1, &m_depthBuffer);
    Resize(width, height);
    fbo.BindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    fbo.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_colorBuffer);
    fbo.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_depthBuffer);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    if (fbo.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        Release();
        return false;
    }
    glViewport(0, 0, m_width, m_height);
    return true;
}

bool EglContext::MakeCurrent() const
{
    if (!m_context)
        return false;
    const Display& d = TheDisplay();
    if (!eglMakeCurrent(d.display, EGL_NO_SURFACE, EGL_NO_SURFACE, static_cast<EGLContext>(m_context)))
        return false;
    if (m_framebuffer)
        Fbo().BindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    return true;
}

void EglContext::Resize(int width, int height)
{
    if (!m_context)
        return;
    m_width = width < 1 ? 1 : width;
    m_height = height < 1 ? 1 : height;
    const FramebufferApi& fbo = Fbo();
    fbo.BindRenderbuffer(GL_RENDERBUFFER, m_colorBuffer);
    fbo.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, m_width, m_height);
    fbo.BindRenderbuffer(GL_RENDERBUFFER, m_depthBuffer);
    fbo.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, m_width, m_height);
    fbo.BindRenderbuffer(GL_RENDERBUFFER, 0);
}

std::vector<uint8_t> EglContext::ReadRgba() const
{
    std::vector<uint8_t> pixels;
    if (!m_context)
        return pixels;
    pixels.resize(static_cast<size_t>(m_width) * static_cast<size_t>(m_height) * 4);
    GLint packAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    return pixels;
}

void EglContext::Release()
{
    if (!m_context)
        return;
    const Display& d = TheDisplay();
    // Another context current on this thread stays current once this one is gone.
    const EGLContext previous = eglGetCurrentContext();
    if (MakeCurrent()) {
        const FramebufferApi& fbo = Fbo();
        if (fbo.Complete()) {
            fbo.BindFramebuffer(GL_FRAMEBUFFER, 0);
            if (m_framebuffer)
                fbo.DeleteFramebuffers(1, &m_framebuffer);
            if (m_colorBuffer)
                fbo.DeleteRenderbuffers(1, &m_colorBuffer);
            if (m_depthBuffer)
                fbo.DeleteRenderbuffers(1, &m_depthBuffer);
        }
    }
    eglMakeCurrent(d.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(d.display, static_cast<EGLContext>(m_context));
    if (previous != EGL_NO_CONTEXT && previous != static_cast<EGLContext>(m_context))
        eglMakeCurrent(d.display, EGL_NO_SURFACE, EGL_NO_SURFACE, previous);
    m_context = nullptr;
    m_framebuffer = m_colorBuffer = m_depthBuffer = 0;
    m_width = m_height = 0;
}
