#pragma once

// A headless OpenGL compatibility context (EGL, surfaceless Mesa) that draws into its own
// framebuffer object. Used by the tests and by the program's window-less rendering.
#include <cstdint>
#include <vector>

class EglContext {
public:
    EglContext() = default;
    ~EglContext();  // a different context current on this thread stays current
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    // Makes the context (sharing objects with shareWith, if given), makes it current and binds a
    // framebuffer of width x height pixels (RGBA8 colour, 24-bit depth). False if any step fails.
    bool Create(int width, int height, const EglContext* shareWith = nullptr);
    bool MakeCurrent() const;
    bool IsCreated() const { return m_context != nullptr; }

    // Replaces the framebuffer's storage; the context must be current. Sizes below 1 become 1.
    void Resize(int width, int height);
    // The framebuffer's pixels, width * height * 4 bytes, GL row order (bottom row first).
    std::vector<uint8_t> ReadRgba() const;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    unsigned Framebuffer() const { return m_framebuffer; }

private:
    void Release();

    void* m_context = nullptr;   // EGLContext
    unsigned m_framebuffer = 0;
    unsigned m_colorBuffer = 0;
    unsigned m_depthBuffer = 0;
    int m_width = 0;
    int m_height = 0;
};
