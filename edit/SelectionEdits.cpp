// What the view does with its selection besides the left button: keeping it valid, the
// arrow-key nudges and DEL of the whole selection.
#include "doc/CourseHistory.h"
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "geometry/XObjectQueries.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

#include <cmath>
#include <utility>

void CTrackwrightView::OnUpdate(CView* pSender, long lHint, void* pHint)
{
    ValidateSelection();
    CView::OnUpdate(pSender, lHint, pHint);
}

void CTrackwrightView::ValidateSelection()
{
    if (const CTrackwrightDoc* pDoc = GetDocument())
        DropIfStale(m_selection, pDoc->m_course.m_handles, pDoc->m_xobjects);
}

void CTrackwrightView::SelectionChanged()
{
    Invalidate(TRUE);
    const CPoint cursor = GetCursorClientPos();
    ShowStatus(ScreenToWorld(cursor.x, cursor.y));
}

void CTrackwrightView::ClearSelection()
{
    const CTrackwrightDoc* pDoc = GetDocument();
    if (!pDoc || m_selection.Empty())
        return;
    m_selection = EmptySelection(pDoc->m_course.m_handles, pDoc->m_xobjects);
    SelectionChanged();
}

void CTrackwrightView::ShowAndSelectPart(const Vector3& where, int handle, int object)
{
    const CTrackwrightDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    m_selection = EmptySelection(pDoc->m_course.m_handles, pDoc->m_xobjects);
    if (handle >= 0 && handle < pDoc->m_course.m_handles.GetSize())
        m_selection.ToggleHandle(handle);
    if (object >= 0 && object < pDoc->m_xobjects.GetSize())
        m_selection.ToggleObject(object);
    // A place that is no number leaves the camera where it is.
    if (std::isfinite(where.x) && std::isfinite(where.y)) {
        m_vCamera.x = where.x;
        m_vCamera.y = where.y;
    }
    SelectionChanged();
}

float CTrackwrightView::WorldPerPixel() const
{
    const double halfH = m_rectClient.bottom * 0.5;
    return halfH > 0.0 ? static_cast<float>(100.0 / (double(m_fZoom) * halfH)) : 0.0f;
}

void CTrackwrightView::NudgeSelection(int dx, int dy)
{
    CTrackwrightDoc* pDoc = GetDocument();
    ValidateSelection();
    if (!pDoc || m_selection.Empty() || m_bLButtonDown)
        return;
    if (!m_bNudging) {
        BeginStep(*pDoc);
        m_bNudging = true;
    }
    const double step = double(WorldPerPixel()) * ((GetModifierFlags() & MK_SHIFT) ? 10.0 : 1.0);
    const std::vector<Vector3> start = SelectedPositions(m_selection, pDoc->m_course.m_handles, pDoc->m_xobjects);
    if (PlaceSelection(m_selection, start, Vector3(dx * step, dy * step, 0.0), pDoc->m_course.m_handles,
                       pDoc->m_xobjects))
        pDoc->SetModifiedFlag();
    SelectionChanged();
}

void CTrackwrightView::EndNudge()
{
    if (!m_bNudging)
        return;
    m_bNudging = false;
    if (CTrackwrightDoc* pDoc = GetDocument())
        EndStep(*pDoc, IDS_STEP_SELECTION_MOVE);
}

void CTrackwrightView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_LEFT || nChar == VK_RIGHT || nChar == VK_UP || nChar == VK_DOWN)
        EndNudge();
    CView::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CTrackwrightView::OnKillFocus()
{
    EndNudge();
    CView::OnKillFocus();
}

bool CTrackwrightView::DeleteSelectionAt(const Vector3& q)
{
    CTrackwrightDoc* pDoc = GetDocument();
    ValidateSelection();
    if (!pDoc || m_selection.Empty())
        return false;
    RecordList<CourseHandle>& handles = pDoc->m_course.m_handles;
    RecordList<XObject>& objects = pDoc->m_xobjects;
    const int n = handles.GetSize();
    bool over = false;
    for (const int i : m_selection.handles)
        over = over || handles[i].HandlePartAt(handles[(i + 1) % n], q) == HandlePart::Pos;
    for (const int i : m_selection.objects)
        over = over || WithinRadius(objects[i].Pos, kBodyRadius, q);
    if (!over)
        return false;
    if (n - static_cast<int>(m_selection.handles.size()) < 3) {
        m_strStatus = AfxLoadString(IDS_STATUS_KEEP_THREE_POINTS);
        AfxSetStatusText(m_strStatus);
        return true;
    }
    BeginStep(*pDoc);
    RemoveIndices(handles, m_selection.handles);
    RemoveIndices(objects, m_selection.objects);
    EndStep(*pDoc, IDS_STEP_SELECTION_DELETE);
    m_selection = EmptySelection(handles, objects);
    SelectionChanged();
    return true;
}
