#include "doc/TrackwrightDoc.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"
#include "overlay/TextOverlay.h"
#include "view/DrawHelpers.h"

#include <GL/gl.h>
#include <cmath>

namespace {

// The hovered object's name, at the cursor as the main window sees it.
void DrawLabel(const XObject& o, TextOverlay& overlay)
{
    int x = 0;
    int y = 0;
    if (HoverLabelOrigin(&x, &y))
        overlay.Printf(x, y, "%s", o.FileName.c_str());
}

}  // namespace

bool HoverLabelOrigin(int* x, int* y)
{
    // The overlay draws in device pixels, the window reports logical ones.
    CWinApp* pApp = AfxGetApp();
    CFrameWnd* pMain = pApp ? pApp->m_pMainWnd : nullptr;
    if (!pMain || !pMain->GetHost())
        return false;
    const double ratio = pMain->GetHost()->GetDevicePixelRatio();
    const CPoint cursor = pMain->GetCursorClientPos();
    const CRect client = pMain->GetClientRect();
    *x = static_cast<int>(std::lround(cursor.x * ratio));
    *y = static_cast<int>(std::lround((client.bottom - cursor.y) * ratio));
    return true;
}

void CTrackwrightDoc::DrawXObjects(TextOverlay& overlay) const
{
    // Objects are drawn in the colour the course left current (white, or the map's grey when
    // there is no course); a label sets the colour of the text it drew.
    Rgb colour = CurrentColour();
    const float s = m_xobjectScale;
    const int n = m_xobjects.GetSize();
    int i = 0;
    while (i < n) {
        const XObject& o = m_xobjects[i];
        if (o.HoverPart != ObjectPart::None) {
            if (o.HoverPart == ObjectPart::Body) {
                DrawDisc(o.Pos, 1.0f, 12);
                DrawLabel(o, overlay);
                colour = CurrentColour();
            } else {
                DrawCircle(o.Pos, 1.0f, 12, colour);
            }
            DrawArrow(o.Pos, o.DirectionVector(), 1.0f, o.HoverPart == ObjectPart::DirectionTip, colour);
            DrawXObjectFrame(o.Pos, o.Width, o.Height, s, o.Direction, colour);
            ++i;
            continue;
        }
        // A run of objects that are not hovered is all one colour, and among pieces of one
        // colour the depth test leaves the same pixels in any order. So the run sends its
        // circles and arrows together and then its footprints, each of which needs a transform
        // of its own that ends the renderer's batch.
        int end = i;
        while (end < n && m_xobjects[end].HoverPart == ObjectPart::None)
            ++end;
        for (int k = i; k < end; ++k) {
            DrawCircle(m_xobjects[k].Pos, 1.0f, 12, colour);
            DrawArrow(m_xobjects[k].Pos, m_xobjects[k].DirectionVector(), 1.0f, false, colour);
            PaceFrame(k);
        }
        for (int k = i; k < end; ++k) {
            const XObject& f = m_xobjects[k];
            DrawXObjectFrame(f.Pos, f.Width, f.Height, s, f.Direction, colour);
            PaceFrame(k);
        }
        i = end;
    }
}
