#pragma once

// Pixel formats and rendering contexts of a window, in the shape the GL view asks for them.
// The window's host decides what is available; a back end without GL still answers.
#include "framework/CDC.h"

struct PIXELFORMATDESCRIPTOR {
    WORD nSize;
    WORD nVersion;
    DWORD dwFlags;
    BYTE iPixelType;
    BYTE cColorBits;
    BYTE cRedBits;
    BYTE cRedShift;
    BYTE cGreenBits;
    BYTE cGreenShift;
    BYTE cBlueBits;
    BYTE cBlueShift;
    BYTE cAlphaBits;
    BYTE cAlphaShift;
    BYTE cAccumBits;
    BYTE cAccumRedBits;
    BYTE cAccumGreenBits;
    BYTE cAccumBlueBits;
    BYTE cAccumAlphaBits;
    BYTE cDepthBits;
    BYTE cStencilBits;
    BYTE cAuxBuffers;
    BYTE iLayerType;
    BYTE bReserved;
    DWORD dwLayerMask;
    DWORD dwVisibleMask;
    DWORD dwDamageMask;
};
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40);

constexpr DWORD PFD_DOUBLEBUFFER = 0x00000001;
constexpr DWORD PFD_DRAW_TO_WINDOW = 0x00000004;
constexpr DWORD PFD_SUPPORT_OPENGL = 0x00000020;
constexpr DWORD PFD_NEED_PALETTE = 0x00000080;
constexpr BYTE PFD_TYPE_RGBA = 0;
constexpr BYTE PFD_MAIN_PLANE = 0;

// The description a window without a real GL surface gives: one true-colour RGBA format.
PIXELFORMATDESCRIPTOR AfxDefaultPixelFormat();

// Index of the format closest to the request, 0 when none.
int ChoosePixelFormat(HDC hdc, const PIXELFORMATDESCRIPTOR* ppfd);
BOOL SetPixelFormat(HDC hdc, int iPixelFormat, const PIXELFORMATDESCRIPTOR* ppfd);
// The format set on the window, 0 when none.
int GetPixelFormat(HDC hdc);
// Fills *ppfd (when given and nBytes is large enough) and returns the highest format
// index; 0 for a bad index.
int DescribePixelFormat(HDC hdc, int iPixelFormat, UINT nBytes, PIXELFORMATDESCRIPTOR* ppfd);

// A rendering context: the GL context of one window.
struct GLRenderContext;
using HGLRC = GLRenderContext*;

// Null when the window has no GL context. The caller deletes it with wglDeleteContext.
HGLRC wglCreateContext(HDC hdc);
// With two nulls, no context is current any more.
BOOL wglMakeCurrent(HDC hdc, HGLRC hglrc);
BOOL wglDeleteContext(HGLRC hglrc);
HGLRC wglGetCurrentContext();
HDC wglGetCurrentDC();
BOOL SwapBuffers(HDC hdc);
