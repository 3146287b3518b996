#include "doc/TrackwrightDoc.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"
#include "overlay/TextOverlay.h"
#include "view/DrawHelpers.h"

#include <GL/gl.h>
#include <cmath>

namespace {

const float kDegToRad = 0.017453292f;

void RimVertices(const Vector3& m)
{
    for (int k = 0; k <= 12; ++k) {
        const double a = k * 30 * static_cast<double>(kDegToRad);
        glVertex3f(static_cast<float>(m.x + std::cos(a)), static_cast<float>(m.y + std::sin(a)), m.z);
    }
}

// The hovered object's name, at the cursor as the main window sees it.
void DrawLabel(const XObject& o, TextOverlay& overlay)
{
    CWinApp* pApp = AfxGetApp();
    CFrameWnd* pMain = pApp ? pApp->m_pMainWnd : nullptr;
    if (!pMain || !pMain->GetHost())
        return;
    const CPoint cursor = pMain->GetCursorClientPos();
    const CRect client = pMain->GetClientRect();
    overlay.Printf(cursor.x, client.bottom - cursor.y, "%s", o.FileName.c_str());
}

}  // namespace

void CTrackwrightDoc::DrawXObjects(TextOverlay& overlay) const
{
    const float s = m_xobjectScale;
    for (const XObject& o : m_xobjects) {
        if (o.HoverPart == ObjectPart::Body) {
            glPushAttrib(GL_CURRENT_BIT);
            glColor3f(1.0f, 0.0f, 0.0f);
            glBegin(GL_TRIANGLE_FAN);
            glVertex3f(o.Pos.x, o.Pos.y, o.Pos.z);
            RimVertices(o.Pos);
            glEnd();
            glPopAttrib();
            DrawLabel(o, overlay);
        } else {
            glBegin(GL_LINE_STRIP);
            RimVertices(o.Pos);
            glEnd();
        }
        DrawArrow(o.Pos, RotatedZ(Vector3(0.0, 10.0, 0.0), o.Direction), 1.0f, o.HoverPart == ObjectPart::DirectionTip);
        DrawXObjectFrame(o.Pos, o.Width, o.Height, s, o.Direction);
    }
}
