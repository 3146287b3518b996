// Cut, Copy and Paste of the selected objects through the system clipboard, as the course
// file's object lines.
#include "edit/CourseEditor.h"

#include "file/ObjectLines.h"
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

#include <algorithm>

namespace {

// Where pasted objects go: the mouse when it is over the view, else (a paste from the menu,
// the tool bar, or with the mouse elsewhere) the centre of the part the type list leaves free.
CPoint PastePoint(const CTrackwrightView& view)
{
    const CPoint p = view.GetCursorClientPos();
    const CRect& r = view.m_rectClient;
    if (p.x >= 0 && p.y >= 0 && p.x < r.right && p.y < r.bottom)
        return p;
    const CRect free = view.FreeClientRect();
    return CPoint(free.left + free.Width() / 2, free.top + free.Height() / 2);
}

}  // namespace

void CourseEditor::Copy()
{
    const CTrackwrightDoc* pDoc = Doc();
    ValidateSelection();
    if (!pDoc || m_selection.objects.empty())
        return;
    std::string text;
    for (const int i : m_selection.objects)
        AppendXObjectLine(text, pDoc->m_xobjects[i]);
    AfxSetClipboardText(text);
}

void CourseEditor::Cut()
{
    CTrackwrightDoc* pDoc = Doc();
    ValidateSelection();
    if (!pDoc || m_selection.objects.empty())
        return;
    EndNudge();
    Copy();
    {
        StepScope step(*pDoc, IDS_STEP_CUT);
        RemoveIndices(pDoc->m_xobjects, m_selection.objects);
    }
    // Control points keep their indices and their selection.
    m_selection.objects.clear();
    m_selection.objectCount = pDoc->m_xobjects.GetSize();
    SelectionChanged();
}

void CourseEditor::Paste()
{
    CTrackwrightDoc* pDoc = Doc();
    if (!pDoc)
        return;
    EndNudge();
    std::vector<XObject> pasted;
    const std::string text = AfxGetClipboardText();
    if (!ParseXObjectLines(text, pasted)) {
        m_view.SetStatusText(std::string(AfxLoadString(HoldsXObjectLine(text) ? IDS_STATUS_PASTE_MALFORMED : IDS_STATUS_PASTE_NO_OBJECTS)));
        return;
    }
    // The layout is kept; the middle of the objects' box lands on the paste point.
    float x0 = pasted[0].Pos.x, x1 = x0, y0 = pasted[0].Pos.y, y1 = y0;
    for (const XObject& o : pasted) {
        x0 = std::min(x0, o.Pos.x);
        x1 = std::max(x1, o.Pos.x);
        y0 = std::min(y0, o.Pos.y);
        y1 = std::max(y1, o.Pos.y);
    }
    const CPoint at = PastePoint(m_view);
    const Vector3 target = m_view.ScreenToWorld(at.x, at.y);
    const Vector3 offset(double(target.x) - (double(x0) + x1) / 2.0, double(target.y) - (double(y0) + y1) / 2.0, 0.0);

    const int first = pDoc->m_xobjects.GetSize();
    {
        StepScope step(*pDoc, IDS_STEP_PASTE);
        pDoc->m_xobjects.Reserve(first + static_cast<int>(pasted.size()));
        for (XObject& o : pasted) {
            o.Pos = o.Pos + offset;
            pDoc->m_xobjects.Add(o);
        }
    }
    m_gesture.start.clear();   // a group being dragged lets go: the pasted objects stay put
    m_selection = EmptySelection(pDoc->m_course.m_handles, pDoc->m_xobjects);
    for (int i = first; i < pDoc->m_xobjects.GetSize(); ++i)
        m_selection.objects.push_back(i);
    SelectionChanged();
}
