// The status bar while the mouse is over the view: where it is in course units, and the
// values of the part it hovers or, failing that, of the one selected part.
#include "edit/CourseEditor.h"

#include "framework/CDialog.h"
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

#include <string>

namespace {

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

std::string PointText(const CourseHandle& h, int i)
{
    return AfxFormatString(IDS_STATUS_POINT, i, AfxFormatFloat(h.vPos.x).c_str(), AfxFormatFloat(h.vPos.y).c_str(),
                           AfxFormatFloat(h.WidthRight).c_str(), AfxFormatFloat(h.WidthLeft).c_str());
}

std::string ObjectText(const XObject& o)
{
    const float degrees = static_cast<float>(o.Direction * kDegreesPerRadian);
    return AfxFormatString(IDS_STATUS_XOBJECT, o.FileName.c_str(), AfxFormatFloat(o.Pos.x).c_str(),
                           AfxFormatFloat(o.Pos.y).c_str(), AfxFormatFloat(degrees).c_str());
}

}  // namespace

void CourseEditor::ShowStatus(const Vector3& q)
{
    const CTrackwrightDoc* pDoc = Doc();
    if (!pDoc)
        return;
    const RecordList<CourseHandle>& handles = pDoc->m_course.m_handles;
    const RecordList<XObject>& objects = pDoc->m_xobjects;
    std::string part;
    for (int i = 0; part.empty() && i < handles.GetSize(); ++i) {
        const HandlePart p = handles[i].HoverPart;
        if (p != HandlePart::None && p != HandlePart::Span)
            part = PointText(handles[i], i);
    }
    for (int i = 0; part.empty() && i < objects.GetSize(); ++i) {
        if (objects[i].HoverPart != ObjectPart::None)
            part = ObjectText(objects[i]);
    }
    const CourseSelection& sel = m_selection;
    const bool current = sel.handleCount == handles.GetSize() && sel.objectCount == objects.GetSize();
    if (part.empty() && current && sel.Size() == 1)
        part = sel.handles.empty() ? ObjectText(objects[sel.objects[0]]) : PointText(handles[sel.handles[0]], sel.handles[0]);
    else if (part.empty() && current && sel.Size() > 1)
        part = AfxFormatString(IDS_STATUS_SELECTION, sel.Size());

    std::string text = AfxFormatString(IDS_STATUS_POSITION, AfxFormatFloat(q.x).c_str(), AfxFormatFloat(q.y).c_str());
    if (!part.empty())
        text += "    " + part;
    if (text != m_view.m_strStatus)
        m_view.SetStatusText(std::move(text));
}
