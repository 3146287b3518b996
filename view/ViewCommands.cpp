// The view's own commands: "全体表示" frames the course and its objects; Cut, Copy and Paste
// of the selected objects (edit/ClipboardCommands.cpp).
#include "geometry/CourseExtent.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

#include <algorithm>
#include <cmath>

namespace {

const CmdMapEntry<CTrackwrightView> s_messageMap[] = {
    {ID_VIEW_SHOWALL, ID_VIEW_SHOWALL, &CTrackwrightView::OnViewShowAll, nullptr},
    {ID_EDIT_CUT, ID_EDIT_CUT, &CTrackwrightView::OnEditCut, &CTrackwrightView::OnUpdateEditCut},
    {ID_EDIT_COPY, ID_EDIT_COPY, &CTrackwrightView::OnEditCopy, &CTrackwrightView::OnUpdateEditCut},
    {ID_EDIT_PASTE, ID_EDIT_PASTE, &CTrackwrightView::OnEditPaste, &CTrackwrightView::OnUpdateEditPaste},
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
    const CourseExtent b = ExtentOfCourse(pDoc->m_course.m_handles, pDoc->m_xobjects, pDoc->m_xobjectScale);
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
