#pragma once

// A fresh headless GL context per test: a 640 x 480 framebuffer cleared to 0, viewport covering it.
#include <array>
#include <cstdint>

#include <gtest/gtest.h>

#include "framework/egl/EglContext.h"

class GlFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // RGBA at (x, y), origin bottom left; outside the framebuffer a failure and 0.
    std::array<uint8_t, 4> Pixel(int x, int y);
    // New framebuffer size, cleared to (0, 0, 0, 0), with the viewport covering it; other state kept.
    void Resize(int width, int height);
    int Width() const { return m_gl.Width(); }
    int Height() const { return m_gl.Height(); }

    EglContext m_gl;
};
