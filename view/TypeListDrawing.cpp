#include "view/TrackwrightView.h"

#include <cmath>
#include <string>

void CTrackwrightView::DrawTypeList()
{
    // Rows are Size logical pixels high, as HitTestTypeList counts them; the overlay draws in
    // device pixels, so a high-DPI screen shows the same list, sharper.
    const std::int32_t logicalSize = m_TextOverlay.Size;
    const int g = ToDevicePixels(logicalSize);
    m_TextOverlay.Size = g;
    int y = ToDevicePixels(GetClientRect().bottom) - g;

    auto setRowColour = [&](bool hovered) {
        m_TextOverlay.Colour[0] = 1.0f;
        m_TextOverlay.Colour[1] = hovered ? 0.0f : 1.0f;
        m_TextOverlay.Colour[2] = hovered ? 0.0f : 1.0f;
        m_TextOverlay.Colour[3] = 1.0f;
    };

    setRowColour(m_nHoverType == kControlPointRow);
    m_TextOverlay.Printf(0, y, m_nSelectedType < 0 ? "*CtrlPnt" : " CtrlPnt");
    y -= g;
    for (int k = 0; k < m_XObjectTypes.GetSize(); ++k) {
        setRowColour(m_nHoverType == k);
        m_TextOverlay.Printf(0, y, m_nSelectedType == k ? "*%s" : " %s", m_XObjectTypes[k].FileName.c_str());
        y -= g;
    }
    m_TextOverlay.Size = logicalSize;
}

PixelRect CTrackwrightView::TypeListRect(const ViewLook& look) const
{
    // The rows DrawTypeList prints, each within the box the overlay clips its text to.
    TextOverlay overlay = m_TextOverlay;
    overlay.Size = look.textSize;
    const int g = look.textSize;
    const int top = static_cast<int>(std::lround(look.height * look.ratio)) - g;
    PixelRect rect;
    const int rows = 1 + static_cast<int>(look.types.size());
    for (int r = 0; r < rows; ++r) {
        const std::string text = r == 0 ? std::string("*CtrlPnt") : " " + look.types[static_cast<std::size_t>(r - 1)];
        rect.Join(PixelsOf(overlay.TextBounds(text.c_str(), 0, top - r * g)));
    }
    return rect;
}
