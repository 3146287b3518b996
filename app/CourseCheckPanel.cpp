#include "app/CourseCheckPanel.h"

#include "document/CourseCheckText.h"
#include "document/TrackwrightDoc.h"
#include "framework/Resources.h"
#include "res/Resource.h"
#include "view/TrackwrightView.h"

#include <cstring>

namespace {

// The values the course file stores; hover and drag state do not count. Compared bit for bit,
// so a nan that stays a nan is no change.
bool SameBits(const Vector3& a, const Vector3& b)
{
    return std::memcmp(&a.x, &b.x, sizeof a.x) == 0 && std::memcmp(&a.y, &b.y, sizeof a.y) == 0;
}

bool SameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameHandles(const RecordList<CourseHandle>& a, const RecordList<CourseHandle>& b)
{
    if (a.GetSize() != b.GetSize())
        return false;
    for (int i = 0; i < a.GetSize(); ++i) {
        const CourseHandle& x = a[i];
        const CourseHandle& y = b[i];
        if (!SameBits(x.vPos, y.vPos) || !SameBits(x.vTanNext, y.vTanNext) || !SameBits(x.vTanPrev, y.vTanPrev) ||
            !SameBits(x.WidthRight, y.WidthRight) || !SameBits(x.WidthLeft, y.WidthLeft))
            return false;
    }
    return true;
}

bool SameObjects(const RecordList<XObject>& a, const RecordList<XObject>& b)
{
    if (a.GetSize() != b.GetSize())
        return false;
    for (int i = 0; i < a.GetSize(); ++i) {
        const XObject& x = a[i];
        const XObject& y = b[i];
        if (!SameBits(x.Pos, y.Pos) || !SameBits(x.Direction, y.Direction) || !SameBits(x.Width, y.Width) ||
            !SameBits(x.Height, y.Height) || x.FileName != y.FileName)
            return false;
    }
    return true;
}

}  // namespace

void CCourseCheckPanel::Open()
{
    if (!Show())
        return;
    Refresh();
}

void CCourseCheckPanel::OnCreatePanel()
{
    CListPanelHost* pHost = GetHost();
    pHost->SetCaption(std::string(AfxLoadString(IDS_CHECK_TITLE)));
    pHost->SetColumns(FindingColumnHeadings());
}

bool CCourseCheckPanel::Follow()
{
    if (!IsVisible())
        return false;
    if (SameHandles(m_doc.m_course.m_handles, m_checkedHandles) && SameObjects(m_doc.m_xobjects, m_checkedObjects))
        return false;
    Refresh();
    return true;
}

void CCourseCheckPanel::Refresh()
{
    m_checkedHandles = m_doc.m_course.m_handles;
    m_checkedObjects = m_doc.m_xobjects;
    m_result = CheckCourse(m_checkedHandles, m_checkedObjects);
    CListPanelHost* pHost = GetHost();
    if (!pHost)
        return;
    std::string text = CourseFiguresText(m_result.figures);
    if (!m_result.geometryChecked)
        text += "\n" + std::string(AfxLoadString(IDS_CHECK_TOO_LARGE));
    if (m_result.findings.empty())
        text += "\n" + std::string(AfxLoadString(IDS_CHECK_NO_FINDINGS));
    pHost->SetText(text);
    std::vector<std::vector<std::string>> rows;
    rows.reserve(m_result.findings.size());
    for (const CourseFinding& f : m_result.findings)
        rows.push_back({FindingKindName(f.kind), FindingPartName(f), FindingText(f, m_checkedObjects)});
    pHost->SetRows(rows);
}

void CCourseCheckPanel::OnRowChosen(int row)
{
    // The rows are the findings shown; a part gone since then is not selected.
    if (row < 0 || row >= static_cast<int>(m_result.findings.size()))
        return;
    const CourseFinding& f = m_result.findings[static_cast<std::size_t>(row)];
    m_view.ShowAndSelectPart(f.where, f.part == FindingPart::Handle ? f.index : -1, f.part == FindingPart::Object ? f.index : -1);
}
