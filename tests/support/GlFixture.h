#pragma once

// A fresh headless GL context per test: a 640 x 480 framebuffer cleared to 0, viewport covering it.
#include <array>
#include <cstdint>

#include <gtest/gtest.h>

#include <GL/gl.h>

#include "framework/egl/EglContext.h"

class GlFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_gl.Create(640, 480)) << "no headless OpenGL context (EGL surfaceless)";
        glViewport(0, 0, Width(), Height());
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // RGBA at (x, y), origin bottom left; outside the framebuffer a failure and 0.
    std::array<uint8_t, 4> Pixel(int x, int y)
    {
        std::array<uint8_t, 4> rgba{};
        if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
            ADD_FAILURE() << "pixel (" << x << ", " << y << ") outside " << Width() << " x " << Height();
            return rgba;
        }
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        glPopClientAttrib();
        return rgba;
    }

    // New framebuffer size, cleared to (0, 0, 0, 0) whatever the test has set up, with the viewport
    // covering it; other state kept.
    void Resize(int width, int height)
    {
        m_gl.Resize(width, height);
        glViewport(0, 0, Width(), Height());
        glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
        glDisable(GL_SCISSOR_TEST);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPopAttrib();
    }

    int Width() const { return m_gl.Width(); }
    int Height() const { return m_gl.Height(); }

    EglContext m_gl;
};
