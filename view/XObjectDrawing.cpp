#include "doc/TrackwrightDoc.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"
#include "overlay/TextOverlay.h"
#include "view/DrawHelpers.h"

#include <GL/gl.h>
#include <cmath>

namespace {

// The hovered object's name, at the cursor as the main window sees it. The overlay draws in
// device pixels, the window reports logical ones.
void DrawLabel(const XObject& o, TextOverlay& overlay)
{
    CWinApp* pApp = AfxGetApp();
    CFrameWnd* pMain = pApp ? pApp->m_pMainWnd : nullptr;
    if (!pMain || !pMain->GetHost())
        return;
    const double ratio = pMain->GetHost()->GetDevicePixelRatio();
    const CPoint cursor = pMain->GetCursorClientPos();
    const CRect client = pMain->GetClientRect();
    overlay.Printf(static_cast<int>(std::lround(cursor.x * ratio)),
                   static_cast<int>(std::lround((client.bottom - cursor.y) * ratio)), "%s", o.FileName.c_str());
}

}  // namespace

void CTrackwrightDoc::DrawXObjects(TextOverlay& overlay) const
{
    // Objects are drawn in the colour the course left current (white, or the map's grey when
    // there is no course); a label sets the colour of the text it drew.
    Rgb colour = CurrentColour();
    const float s = m_xobjectScale;
    int i = 0;
    for (const XObject& o : m_xobjects) {
        if (o.HoverPart == ObjectPart::Body) {
            DrawDisc(o.Pos, 1.0f, 12);
            DrawLabel(o, overlay);
            colour = CurrentColour();
        } else {
            DrawCircle(o.Pos, 1.0f, 12, colour);
        }
        DrawArrow(o.Pos, RotatedZ(Vector3(0.0, 10.0, 0.0), o.Direction), 1.0f, o.HoverPart == ObjectPart::DirectionTip,
                  colour);
        DrawXObjectFrame(o.Pos, o.Width, o.Height, s, o.Direction, colour);
        PaceFrame(i++);
    }
}
