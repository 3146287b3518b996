#include "document/CourseHistory.h"

#include "document/TrackwrightDoc.h"
#include "framework/Resources.h"
#include "res/Resource.h"

namespace {

void Assign(CTrackwrightDoc& doc, const CourseSettings& s)
{
    const std::string shownBefore = doc.ShownMapPath();
    const bool switched = s.visibleMap != doc.m_visibleMap;
    doc.m_heightMap = s.heightMap;
    doc.m_colorMap = s.colorMap;
    doc.m_course.m_texLuminance = s.luminance;
    doc.m_visibleMap = s.visibleMap;
    doc.m_xobjectScale = s.objectScale;
    if (switched || doc.ShownMapPath() != shownBefore)
        doc.LoadMap(doc.m_visibleMap, doc.GetPathName());
}

template <class Apply>
bool Travel(CTrackwrightDoc& doc, long hint, Apply apply)
{
    CourseSettings settings = SettingsOf(doc);
    const UndoStep* step = apply(CourseState{doc.m_course.m_handles, doc.m_xobjects, settings});
    if (!step)
        return false;
    if (step->settingsChanged)
        Assign(doc, settings);
    doc.SetModifiedFlag(doc.m_history.IsModified());
    doc.UpdateAllViews(nullptr, hint, nullptr);
    return true;
}

// The menu text of an Edit item: its format with ": step name" in place of %s, or nothing.
std::string StepMenuText(UINT format, UINT label)
{
    std::string text(AfxLoadString(format));
    const std::string name = label ? ": " + std::string(AfxLoadString(label)) : std::string();
    const auto at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, name);
    return text;
}

}  // namespace

CourseSettings SettingsOf(const CTrackwrightDoc& doc)
{
    return {doc.m_heightMap, doc.m_colorMap, doc.m_course.m_texLuminance, doc.m_visibleMap, doc.m_xobjectScale};
}

void BeginStep(CTrackwrightDoc& doc)
{
    CourseSettings settings = SettingsOf(doc);
    doc.m_history.Begin(CourseState{doc.m_course.m_handles, doc.m_xobjects, settings});
}

bool EndStep(CTrackwrightDoc& doc, UINT label)
{
    CourseSettings settings = SettingsOf(doc);
    const bool recorded = doc.m_history.End(CourseState{doc.m_course.m_handles, doc.m_xobjects, settings}, label);
    if (recorded)
        doc.SetModifiedFlag(doc.m_history.IsModified());
    return recorded;
}

bool UndoLastStep(CTrackwrightDoc& doc)
{
    return Travel(doc, kHintUndone, [&doc](const CourseState& s) { return doc.m_history.Undo(s); });
}

bool RedoNextStep(CTrackwrightDoc& doc)
{
    return Travel(doc, kHintRedone, [&doc](const CourseState& s) { return doc.m_history.Redo(s); });
}

void CTrackwrightDoc::OnEditUndo()
{
    UndoLastStep(*this);
}

void CTrackwrightDoc::OnEditRedo()
{
    RedoNextStep(*this);
}

void CTrackwrightDoc::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_history.CanUndo());
    pCmdUI->SetText(StepMenuText(IDS_EDIT_UNDO_ITEM, m_history.UndoLabel()));
}

void CTrackwrightDoc::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_history.CanRedo());
    pCmdUI->SetText(StepMenuText(IDS_EDIT_REDO_ITEM, m_history.RedoLabel()));
}
