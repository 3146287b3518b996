#pragma once

// The pixel-format request a view makes of its window, and the calls that answer it.
#include "framework/Afx.h"

#include <cstdint>

class CWndHost;

constexpr std::uint32_t PFD_DOUBLEBUFFER = 0x00000001;
constexpr std::uint32_t PFD_DRAW_TO_WINDOW = 0x00000004;
constexpr std::uint32_t PFD_SUPPORT_OPENGL = 0x00000020;
constexpr std::uint32_t PFD_NEED_PALETTE = 0x00000080;
constexpr std::uint8_t PFD_TYPE_RGBA = 0;
constexpr std::uint8_t PFD_MAIN_PLANE = 0;

struct PIXELFORMATDESCRIPTOR {
    std::uint16_t nSize = 40;
    std::uint16_t nVersion = 1;
    std::uint32_t dwFlags = 0;
    std::uint8_t iPixelType = PFD_TYPE_RGBA;
    std::uint8_t cColorBits = 0;
    std::uint8_t cRedBits = 0;
    std::uint8_t cRedShift = 0;
    std::uint8_t cGreenBits = 0;
    std::uint8_t cGreenShift = 0;
    std::uint8_t cBlueBits = 0;
    std::uint8_t cBlueShift = 0;
    std::uint8_t cAlphaBits = 0;
    std::uint8_t cAlphaShift = 0;
    std::uint8_t cAccumBits = 0;
    std::uint8_t cDepthBits = 0;
    std::uint8_t cStencilBits = 0;
    std::uint8_t cAuxBuffers = 0;
    std::uint8_t iLayerType = PFD_MAIN_PLANE;
};

// 0 when the window cannot give a format close to the request.
int ChoosePixelFormat(CWndHost* pHost, const PIXELFORMATDESCRIPTOR* ppfd);
BOOL SetPixelFormat(CWndHost* pHost, int iPixelFormat, const PIXELFORMATDESCRIPTOR* ppfd);
// Fills ppfd with what the window really has; FALSE when it has no format.
BOOL DescribePixelFormat(CWndHost* pHost, int iPixelFormat, PIXELFORMATDESCRIPTOR* ppfd);
int GetPixelFormat(CWndHost* pHost);
