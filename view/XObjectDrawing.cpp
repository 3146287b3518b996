#include "document/TrackwrightDoc.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"
#include "overlay/TextOverlay.h"
#include "view/DrawHelpers.h"
#include "view/PartDrawing.h"

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

Rgb DrawXObjectRange(const CTrackwrightDoc& doc, int first, int last, Rgb colour, TextOverlay& overlay)
{
    const RecordList<XObject>& objects = doc.m_xobjects;
    const float s = doc.m_xobjectScale;
    const int n = last;
    int i = first;
    while (i < n) {
        const XObject& o = objects[i];
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
        while (end < n && objects[end].HoverPart == ObjectPart::None)
            ++end;
        for (int k = i; k < end; ++k) {
            DrawCircle(objects[k].Pos, 1.0f, 12, colour);
            DrawArrow(objects[k].Pos, objects[k].DirectionVector(), 1.0f, false, colour);
            PaceFrame(k);
        }
        for (int k = i; k < end; ++k) {
            const XObject& f = objects[k];
            DrawXObjectFrame(f.Pos, f.Width, f.Height, s, f.Direction, colour);
            PaceFrame(k);
        }
        i = end;
    }
    return colour;
}
