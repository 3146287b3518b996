#pragma once

#include "framework/Afx.h"

#include <cstdint>
#include <vector>

struct PALETTEENTRY {
    std::uint8_t peRed = 0;
    std::uint8_t peGreen = 0;
    std::uint8_t peBlue = 0;
    std::uint8_t peFlags = 0;
};

struct LOGPALETTE {
    std::uint16_t palVersion = 0x300;
    std::vector<PALETTEENTRY> palPalEntry;
};

// A logical colour palette. True-colour surfaces never need one; it exists for the
// palette-based pixel formats and holds its entries for whoever realizes it.
class CPalette {
public:
    BOOL CreatePalette(const LOGPALETTE& lp)
    {
        m_entries = lp.palPalEntry;
        m_bCreated = true;
        return TRUE;
    }
    void DeleteObject()
    {
        m_entries.clear();
        m_bCreated = false;
    }
    bool IsCreated() const { return m_bCreated; }
    // Number of entries the system had to remap; none on the surfaces this runs on.
    UINT RealizePalette() const { return 0; }
    const std::vector<PALETTEENTRY>& Entries() const { return m_entries; }

private:
    std::vector<PALETTEENTRY> m_entries;
    bool m_bCreated = false;
};
