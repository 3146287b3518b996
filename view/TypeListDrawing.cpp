#include "view/TrackwrightView.h"

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
