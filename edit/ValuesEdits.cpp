#include "edit/ValuesEdits.h"

#include "edit/StepScope.h"
#include "view/ValuesDlg.h"

bool EditPointValues(CTrackwrightDoc& doc, int i)
{
    if (i < 0 || i >= doc.m_course.m_handles.GetSize())
        return false;
    CPointValuesDlg dlg;
    dlg.m_handle = doc.m_course.m_handles[i];
    if (dlg.DoModal() != IDOK || i >= doc.m_course.m_handles.GetSize())
        return false;
    StepScope step(doc, IDS_STEP_VALUES);
    CourseHandle& h = doc.m_course.m_handles[i];
    h.vPos = dlg.m_handle.vPos;
    h.vTanNext = dlg.m_handle.vTanNext;
    h.vTanPrev = dlg.m_handle.vTanPrev;
    h.WidthRight = dlg.m_handle.WidthRight;
    h.WidthLeft = dlg.m_handle.WidthLeft;
    return step.End();
}

bool EditXObjectValues(CTrackwrightDoc& doc, int i, const std::vector<std::string>& names)
{
    if (i < 0 || i >= doc.m_xobjects.GetSize())
        return false;
    CXObjectValuesDlg dlg;
    dlg.m_object = doc.m_xobjects[i];
    dlg.m_names = names;
    if (dlg.DoModal() != IDOK || i >= doc.m_xobjects.GetSize())
        return false;
    StepScope step(doc, IDS_STEP_VALUES);
    const XObject& o = dlg.m_object;
    doc.m_xobjects[i].Set(o.FileName, o.Pos, o.Direction, o.Width, o.Height);
    return step.End();
}
