#include "document/SettingsDlg.h"

#include "document/CourseHistory.h"
#include "document/TrackwrightDoc.h"
#include "file/MapPath.h"
#include "file/RegularFile.h"
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "res/Resource.h"

namespace {

// Whether the file could be read (a regular file of a map's size, opened without waiting on a
// FIFO) and, when it is a BMP, whether the GL can take its size; anything else about its
// contents is found out on load.
bool CanOpen(const std::string& path)
{
    return IsReadableRegularFile(path, kMaxMapFileBytes) && BmpSizeFits(path, CourseData::MaxMapSide());
}

}  // namespace

void CSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_HEIGHTMAP, m_heightMapPath);
    DDX_Text(pDX, IDC_COLORMAP, m_colorMapPath);
    DDX_Text(pDX, IDC_LUMINANCE, m_luminance);
    DDV_MinMaxFloat(pDX, m_luminance, 0.0f, 1.0f);
    DDX_Text(pDX, IDC_XOBJECT_SCALE, m_scale);
}

void CSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (!m_heightMapPath.empty() && !CanOpen(MapFileToRead(m_heightMapPath, m_coursePath))) {
        AfxMessageBox(std::string(AfxLoadString(IDS_HEIGHTMAP_NOT_OPENED)), MB_OK);
        return;
    }
    if (!m_colorMapPath.empty() && !CanOpen(MapFileToRead(m_colorMapPath, m_coursePath))) {
        AfxMessageBox(std::string(AfxLoadString(IDS_COLORMAP_NOT_OPENED)), MB_OK);
        return;
    }
    CDialog::OnOK();
}

void CTrackwrightDoc::OnSettings()
{
    CSettingsDlg dlg;
    dlg.m_heightMapPath = m_heightMap;
    dlg.m_colorMapPath = m_colorMap;
    dlg.m_luminance = m_course.m_texLuminance;
    dlg.m_scale = m_xobjectScale;
    dlg.m_coursePath = GetPathName();
    if (dlg.DoModal() != IDOK)
        return;

    // One step; only what the course file stores makes the course unsaved, and the display
    // scale is not stored.
    BeginStep(*this);
    m_heightMap = dlg.m_heightMapPath;
    m_colorMap = dlg.m_colorMapPath;
    LoadMap(m_visibleMap, GetPathName());
    m_course.m_texLuminance = dlg.m_luminance;
    m_xobjectScale = dlg.m_scale;
    EndStep(*this, IDS_STEP_SETTINGS);
    UpdateAllViews(nullptr, 0, nullptr);
}
