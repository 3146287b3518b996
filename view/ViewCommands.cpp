// The view's own commands: "全体表示" frames the course and its objects; Cut, Copy and Paste
// of the selected objects (edit/ClipboardCommands.cpp); Delete and Select All
// (edit/SelectionEdits.cpp); the 3-D preview's window.
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "geometry/CourseExtent.h"
#include "res/Resource.h"
#include "view/PreviewView.h"
#include "view/TrackwrightView.h"
#include "view/ViewFraming.h"

#include <algorithm>

namespace {

const CmdMapEntry<CTrackwrightView> s_messageMap[] = {
    {ID_VIEW_SHOWALL, ID_VIEW_SHOWALL, &CTrackwrightView::OnViewShowAll, nullptr},
    {ID_VIEW_PREVIEW, ID_VIEW_PREVIEW, &CTrackwrightView::OnViewPreview, &CTrackwrightView::OnUpdateViewPreview},
    {ID_EDIT_CUT, ID_EDIT_CUT, &CTrackwrightView::OnEditCut, &CTrackwrightView::OnUpdateEditCut},
    {ID_EDIT_COPY, ID_EDIT_COPY, &CTrackwrightView::OnEditCopy, &CTrackwrightView::OnUpdateEditCut},
    {ID_EDIT_PASTE, ID_EDIT_PASTE, &CTrackwrightView::OnEditPaste, &CTrackwrightView::OnUpdateEditPaste},
    {ID_EDIT_DELETE, ID_EDIT_DELETE, &CTrackwrightView::OnEditDelete, &CTrackwrightView::OnUpdateEditDelete},
    {ID_EDIT_SELECT_ALL, ID_EDIT_SELECT_ALL, &CTrackwrightView::OnEditSelectAll, &CTrackwrightView::OnUpdateEditSelectAll},
};

}  // namespace

bool CTrackwrightView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    return DispatchCmdMsg(this, s_messageMap, nID, nCode, pCmdUI) || CView::OnCmdMsg(nID, nCode, pCmdUI);
}

void CTrackwrightView::OnViewShowAll()
{
    const CTrackwrightDoc* pDoc = GetDocument();
    const double W = m_rectClient.right;
    const double H = m_rectClient.bottom;
    if (!pDoc || H <= 0 || W <= 0)
        return;
    const CourseExtent b = ExtentOfCourse(pDoc->m_course.m_handles, pDoc->m_xobjects, pDoc->m_xobjectScale);
    if (b.Empty())
        return;
    // Into the part of the view the type list leaves free, a tenth of it left around the course.
    const CRect free = FreeClientRect();
    const double scale = FitScale(b, free.Width(), free.Height());   // pixels per course unit
    const ZoomRange range = ZoomLimits();
    m_fZoom = static_cast<float>(std::clamp(scale * 2.0 * kViewHalfHeight / H, double(range.min), double(range.max)));
    const double s = double(m_fZoom) * H / (2.0 * kViewHalfHeight);
    const double cx = 0.5 * (free.left + free.right);
    const double cy = 0.5 * (free.top + free.bottom);
    m_vCamera.x = static_cast<float>(0.5 * (b.minX + b.maxX) - (cx - W / 2) / s);
    m_vCamera.y = static_cast<float>(0.5 * (b.minY + b.maxY) + (cy - H / 2) / s);
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
