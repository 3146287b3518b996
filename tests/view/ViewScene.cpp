#include "ViewScene.h"

#include <cmath>

void ViewScene::Open(int width, int height, double ratio)
{
    Resize(static_cast<int>(std::lround(width * ratio)), static_cast<int>(std::lround(height * ratio)));
    // A new window each time: a pixel format is set on a window once only.
    host = ScaledWndHost();
    host.client = CRect(0, 0, width, height);
    host.ratio = ratio;
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
