#include "document/ExportDlg.h"

#include "document/CourseExport.h"
#include "document/TrackwrightDoc.h"
#include "file/NumberText.h"
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "geometry/TerrainHeights.h"

#include <string>

namespace {

// Where the last height scale is kept for the user.
constexpr const char* kSection = "Export";
constexpr const char* kHeightScaleEntry = "HeightScale";

void RememberHeightScale(float scale)
{
    if (CBackend* pBackend = AfxGetBackend()) {
        std::string text;
        AppendFixed(text, scale);
        pBackend->WriteProfileString(kSection, kHeightScaleEntry, text.substr(text.find_first_not_of(' ')));
        pBackend->FlushProfile();
    }
}

// The course's path with .glb in place of its extension; "course.glb" for an untitled one.
std::string SuggestedPath(const std::string& coursePath)
{
    if (coursePath.empty())
        return "course.glb";
    const auto slash = coursePath.find_last_of('/');
    const auto dot = coursePath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? coursePath.substr(0, dot) : coursePath) + ".glb";
}

// A name typed without any extension gets .glb, as save dialogs do for their one type.
std::string WithGlbExtension(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.find('.') == std::string::npos ? path + ".glb" : path;
}

}  // namespace

float RememberedHeightScale()
{
    const std::string text = AfxGetBackend() ? AfxGetBackend()->GetProfileString(kSection, kHeightScaleEntry) : "";
    const double scale = text.empty() ? kDefaultHeightScale : AtoF(text);
    return static_cast<float>(IsHeightScale(scale) ? scale : kDefaultHeightScale);
}

void CExportDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_HEIGHT_SCALE, m_heightScale);
    DDV_MinMaxFloat(pDX, m_heightScale, 0.0f, static_cast<float>(kMaxHeightScale));
}

void CTrackwrightDoc::OnFileExport()
{
    CExportDlg dlg;
    dlg.m_heightScale = RememberedHeightScale();
    if (dlg.DoModal() != IDOK)
        return;
    // A scale the export refuses (the dialog lets "nan" through) is not kept.
    if (IsHeightScale(dlg.m_heightScale))
        RememberHeightScale(dlg.m_heightScale);
    CBackend* pBackend = AfxGetBackend();
    std::string path = SuggestedPath(GetPathName());
    if (!pBackend || !pBackend->PromptSaveFileName(path, std::string(AfxLoadString(IDS_EXPORT_TITLE)),
                                                   std::string(AfxLoadString(IDS_EXPORT_FILTER))))
        return;
    path = WithGlbExtension(path);
    if (ExportCourse(*this, path, dlg.m_heightScale))
        AfxSetStatusText(std::string(AfxLoadString(IDS_EXPORT_DONE)) + path);
}
