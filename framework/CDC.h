#pragma once

// Device contexts and logical palettes, as far as the GL view uses them: a client DC carries
// the window's pixel format and GL context; a palette only matters on palette-based displays.
#include "framework/Afx.h"


class CWnd;
class CWndHost;

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

// Header of a palette record; palNumEntries entries follow it in one allocation.
struct LOGPALETTE {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[1];
};

// Nothing here maps colours through a palette (every surface is true colour): a created
// palette records only that it exists.
class CPalette {
public:
    BOOL CreatePalette(const LOGPALETTE* pLogPalette);
    BOOL DeleteObject();
    bool IsCreated() const { return m_bCreated; }

private:
    bool m_bCreated = false;
};

class CDC;
using HDC = CDC*;

class CDC {
public:
    explicit CDC(CWnd* pWnd) : m_pWnd(pWnd) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() { return this; }
    // The window's host at the time of the call; null once the window is gone.
    CWndHost* GetHost() const;

    // Returns the palette selected before.
    CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
    // The number of entries that were remapped in the system palette.
    UINT RealizePalette();

private:
    CWnd* m_pWnd;
    CPalette* m_pPalette = nullptr;
};

// The device context of a window's client area.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd) : CDC(pWnd) {}
};
