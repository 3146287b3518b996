#include "document/TrackwrightDoc.h"

#include "document/CourseHistory.h"
#include "res/Resource.h"

// View menu: which of the two maps lies under the course. Choosing the shown map again
// reads its file again. A file that cannot be read is reported and changes nothing: the
// last texture stays on screen and the choice stays as it was. The choice is stored in the
// course file, so changing it makes the course unsaved.

namespace {

void ShowMap(CTrackwrightDoc& doc, std::int32_t visible)
{
    if (!doc.LoadMap(visible, doc.GetPathName()))
        return;
    BeginStep(doc);
    doc.m_visibleMap = visible;
    EndStep(doc, IDS_STEP_MAP_SWITCH);
    doc.UpdateAllViews(nullptr, 0, nullptr);
}

}  // namespace

void CTrackwrightDoc::OnViewHeightMap()
{
    ShowMap(*this, ShowHeightMap);
}

void CTrackwrightDoc::OnViewColorMap()
{
    ShowMap(*this, ShowColorMap);
}

void CTrackwrightDoc::OnUpdateViewHeightMap(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_heightMap.empty());
    pCmdUI->SetCheck(m_visibleMap == ShowHeightMap);
}

void CTrackwrightDoc::OnUpdateViewColorMap(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_colorMap.empty());
    pCmdUI->SetCheck(m_visibleMap == ShowColorMap);
}
