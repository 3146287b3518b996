#include "ViewScene.h"

#include "support/Handles.h"

#include <cmath>
#include <cstdlib>

bool IsColour(const Rgba& p, int r, int g, int b, int tolerance)
{
    return std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - b) <= tolerance;
}

void ViewScene::Open(int width, int height, double r)
{
    ratio = r;
    Resize(static_cast<int>(std::lround(width * r)), static_cast<int>(std::lround(height * r)));
    // A new window each time: a pixel format is set on a window once only.
    host = ScaledWndHost();
    host.client = CRect(0, 0, width, height);
    host.ratio = r;
    doc.OnNewDocument();
    view = std::make_unique<CTrackwrightView>(app.m_appDir);
    view->SetHost(&host);
    doc.AddView(view.get());
    view->OnCreate();
    view->OnSize(0, width, height);
}

void ViewScene::TearDown()
{
    if (view) {
        view->OnDestroy();
        doc.RemoveView(view.get());
    }
    view.reset();
}

GlPixel ViewScene::PixelOf(double x, double y) const
{
    const double W = view->m_rectClient.right;
    const double H = view->m_rectClient.bottom;
    const double unit = view->m_fZoom * H / 200.0;
    const double px = W / 2 + (x - view->m_vCamera.x) * unit;
    const double py = H / 2 - (y - view->m_vCamera.y) * unit;
    return {static_cast<int>(std::floor(px * ratio)), static_cast<int>(std::floor((H - py) * ratio))};
}

bool ViewScene::AnyNear(GlPixel p, int radius, const std::function<bool(const Rgba&)>& pred)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (pred(Pixel(p.x + dx, p.y + dy)))
                return true;
    return false;
}

void ViewScene::UseRectangleCourse()
{
    doc.m_course.m_handles.SetSize(0);
    doc.m_course.m_handles.Add(MakeHandle(-50, 0, 100, 0, 0, 100));
    doc.m_course.m_handles.Add(MakeHandle(50, 0, 0, 100, -100, 0));
    doc.m_course.m_handles.Add(MakeHandle(50, 80, -100, 0, 0, -100));
    doc.m_course.m_handles.Add(MakeHandle(-50, 80, 0, -100, 100, 0));
}
