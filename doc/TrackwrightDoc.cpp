#include "doc/TrackwrightDoc.h"

#include "res/Resource.h"

#include <cmath>

namespace {

const CmdMapEntry<CTrackwrightDoc> s_messageMap[] = {
    {ID_SETTINGS, ID_SETTINGS, &CTrackwrightDoc::OnSettings, &CTrackwrightDoc::OnUpdateAlwaysEnabled},
    {ID_VIEW_HEIGHTMAP, ID_VIEW_HEIGHTMAP, &CTrackwrightDoc::OnViewHeightMap,
     &CTrackwrightDoc::OnUpdateViewHeightMap},
    {ID_VIEW_COLORMAP, ID_VIEW_COLORMAP, &CTrackwrightDoc::OnViewColorMap,
     &CTrackwrightDoc::OnUpdateViewColorMap},
    {ID_EDIT_UNDO, ID_EDIT_UNDO, &CTrackwrightDoc::OnEditUndo, &CTrackwrightDoc::OnUpdateEditUndo},
    {ID_EDIT_REDO, ID_EDIT_REDO, &CTrackwrightDoc::OnEditRedo, &CTrackwrightDoc::OnUpdateEditRedo},
};

}  // namespace

bool CTrackwrightDoc::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    return DispatchCmdMsg(this, s_messageMap, nID, nCode, pCmdUI) ||
           CDocument::OnCmdMsg(nID, nCode, pCmdUI);
}

BOOL CTrackwrightDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;

    // The angles are formed in float constants and a double product on purpose: the
    // residues of the nominal zeros are part of the default course as it is stored.
    const float deg = 0.017453292f;
    const float halfPi = -1.5707964f;
    const float threeHalfPi = -4.712389f;
    for (int i = 0; i < 4; ++i) {
        const double a = static_cast<double>(static_cast<float>(i * 90)) * static_cast<double>(deg);
        const double b = a - static_cast<double>(halfPi);
        const double d = a - static_cast<double>(threeHalfPi);
        CourseHandle h;
        h.vPos = Vector3(100.0 * std::cos(a), 100.0 * std::sin(a), 0.0);
        h.vTanNext = Vector3(170.0 * std::cos(b), 170.0 * std::sin(b), 0.0);
        h.vTanPrev = Vector3(170.0 * std::cos(d), 170.0 * std::sin(d), 0.0);
        h.WidthRight = 5.0f;
        h.WidthLeft = 5.0f;
        m_course.m_handles.Add(h);
    }
    m_heightMap.clear();
    m_colorMap.clear();
    m_visibleMap = 0;
    return TRUE;
}

void CTrackwrightDoc::DeleteContents()
{
    m_course.m_handles.SetSize(0);
    m_xobjects.RemoveAll();
    m_heightMap.clear();
    m_colorMap.clear();
    m_visibleMap = 1;
    m_xobjectScale = 0.4f;
    m_history.Clear();
    CDocument::DeleteContents();
}

void CTrackwrightDoc::OnUpdateAlwaysEnabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}
