// The view's own commands: "全体表示" frames the course and its objects; Cut, Copy and Paste
// of the selected objects (edit/ClipboardCommands.cpp).
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "res/Resource.h"
#include "view/PreviewView.h"
#include "view/TrackwrightView.h"

#include <algorithm>
#include <cmath>

namespace {

const CmdMapEntry<CTrackwrightView> s_messageMap[] = {
    {ID_VIEW_SHOWALL, ID_VIEW_SHOWALL, &CTrackwrightView::OnViewShowAll, nullptr},
    {ID_VIEW_PREVIEW, ID_VIEW_PREVIEW, &CTrackwrightView::OnViewPreview, &CTrackwrightView::OnUpdateViewPreview},
    {ID_EDIT_CUT, ID_EDIT_CUT, &CTrackwrightView::OnEditCut, &CTrackwrightView::OnUpdateEditCut},
    {ID_EDIT_COPY, ID_EDIT_COPY, &CTrackwrightView::OnEditCopy, &CTrackwrightView::OnUpdateEditCut},
    {ID_EDIT_PASTE, ID_EDIT_PASTE, &CTrackwrightView::OnEditPaste, &CTrackwrightView::OnUpdateEditPaste},
};

// The smallest rectangle around some points, in double so that far-apart floats cannot
// overflow their difference. Points that are not finite are left out.
struct Bounds {
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;

    void Add(double x, double y, double margin)
    {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        if (!std::isfinite(margin))
            margin = 0.0;
        margin = std::fabs(margin);
        minX = std::min(minX, x - margin);
        maxX = std::max(maxX, x + margin);
        minY = std::min(minY, y - margin);
        maxY = std::max(maxY, y + margin);
    }
    bool Empty() const { return !(minX <= maxX); }
};

}  // namespace

bool CTrackwrightView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    return DispatchCmdMsg(this, s_messageMap, nID, nCode, pCmdUI) || CView::OnCmdMsg(nID, nCode, pCmdUI);
}

void CTrackwrightView::OnViewShowAll()
{
    const CTrackwrightDoc* pDoc = GetDocument();
    if (!pDoc || m_rectClient.bottom <= 0 || m_rectClient.right <= 0)
        return;
    Bounds b;
    for (const CourseHandle& h : pDoc->m_course.m_handles)
        b.Add(h.vPos.x, h.vPos.y, std::max(std::fabs(h.WidthLeft), std::fabs(h.WidthRight)));
    for (const XObject& obj : pDoc->m_xobjects)
        b.Add(obj.Pos.x, obj.Pos.y, 0.5 * std::max(std::fabs(obj.Width), std::fabs(obj.Height)));
    if (b.Empty())
        return;

    // The client shows kViewHalfHeight / zoom world units either side of the centre vertically
    // and aspect times that horizontally; a tenth is left free around the course.
    const double aspect = static_cast<double>(m_rectClient.right) / m_rectClient.bottom;
    const double halfX = std::max((b.maxX - b.minX) * 0.55, 1e-3);
    const double halfY = std::max((b.maxY - b.minY) * 0.55, 1e-3);
    const double zoom = std::min(kViewHalfHeight * aspect / halfX, kViewHalfHeight / halfY);
    m_vCamera.x = static_cast<float>(0.5 * (b.minX + b.maxX));
    m_vCamera.y = static_cast<float>(0.5 * (b.minY + b.maxY));
    m_fZoom = static_cast<float>(std::clamp(zoom, static_cast<double>(kMinZoom), static_cast<double>(kMaxZoom)));
    Invalidate(TRUE);
}

void CTrackwrightView::OnViewPreview()
{
    CBackend* pBackend = AfxGetBackend();
    CTrackwrightDoc* pDoc = GetDocument();
    if (!pBackend || !pDoc)
        return;
    if (m_pPreview && m_pPreview->IsOpen()) {
        pBackend->ActivateViewWindow(m_pPreview.get());
        return;
    }
    m_pPreview = std::make_unique<CPreviewView>(this);
    pDoc->AddView(m_pPreview.get());
    if (!pBackend->CreateViewWindow(m_pPreview.get(), std::string(AfxLoadString(IDS_PREVIEW_TITLE)),
                                    CPreviewView::kPlaceKey)) {
        if (m_pPreview->IsOpen())
            m_pPreview->OnDestroy();
        pDoc->RemoveView(m_pPreview.get());
        m_pPreview.reset();
    }
}

void CTrackwrightView::OnUpdateViewPreview(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_pPreview && m_pPreview->IsOpen());
}

bool CTrackwrightView::ClosePreview()
{
    CBackend* pBackend = AfxGetBackend();
    if (!m_pPreview || !m_pPreview->IsOpen() || !pBackend)
        return false;
    pBackend->DestroyViewWindow(m_pPreview.get());
    return true;
}
