// A double click on a control point's marker or an object opens its values dialog.
#include "geometry/XObjectQueries.h"
#include "view/TrackwrightView.h"
#include "view/ValuesDlg.h"

void CTrackwrightView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CTrackwrightDoc* pDoc = GetDocument();
    // Elsewhere (the type list, Ctrl held, empty ground) the first press already did all.
    if (!pDoc || m_bLButtonDown || (nFlags & MK_CONTROL) || HitTestTypeList(point.x, point.y) != kNoTypeRow)
        return;
    const Vector3 q = ScreenToWorld(point.x, point.y);
    const RecordList<CourseHandle>& handles = pDoc->m_course.m_handles;
    const int n = handles.GetSize();
    int handle = -1;
    for (int i = 0; handle < 0 && i < n; ++i) {
        if (handles[i].HandlePartAt(handles[(i + 1) % n], q) == HandlePart::Pos)
            handle = i;
    }
    int object = -1;
    for (int i = 0; handle < 0 && object < 0 && i < pDoc->m_xobjects.GetSize(); ++i) {
        if (pDoc->m_xobjects[i].HitPart(q) != ObjectPart::None)
            object = i;
    }
    if (handle < 0 && object < 0)
        return;
    EndNudge();
    std::vector<std::string> names;
    for (const XObjectType& t : m_XObjectTypes)
        names.push_back(t.FileName);
    const bool changed = handle >= 0 ? EditPointValues(*pDoc, handle) : EditXObjectValues(*pDoc, object, names);
    if (changed) {
        Invalidate(TRUE);
        ShowStatus(q);
    }
}
