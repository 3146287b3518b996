#include "doc/TrackwrightDoc.h"

#include "doc/CourseHistory.h"
#include "res/Resource.h"

// View menu: which of the two maps lies under the course. Choosing the shown map again
// reads its file again; a file that cannot be read leaves the last texture on screen.

void CTrackwrightDoc::OnViewHeightMap()
{
    BeginStep(*this);
    m_course.LoadMapTexture(m_heightMap);
    m_visibleMap = ShowHeightMap;
    EndStep(*this, IDS_STEP_MAP_SWITCH);
    UpdateAllViews(nullptr, 0, nullptr);
}

void CTrackwrightDoc::OnViewColorMap()
{
    BeginStep(*this);
    m_course.LoadMapTexture(m_colorMap);
    m_visibleMap = ShowColorMap;
    EndStep(*this, IDS_STEP_MAP_SWITCH);
    UpdateAllViews(nullptr, 0, nullptr);
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
