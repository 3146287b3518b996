#include "document/TrackwrightDoc.h"

#include "document/CourseCheckText.h"
#include "document/RecoveryFile.h"
#include "file/FileReplace.h"
#include "geometry/CourseCheck.h"
#include "geometry/CourseSpline.h"
#include "file/Tokenizer.h"
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "res/Resource.h"

#include <cmath>
#include <filesystem>
#include <utility>

namespace {

const CmdMapEntry<CTrackwrightDoc> s_messageMap[] = {
    {ID_SETTINGS, ID_SETTINGS, &CTrackwrightDoc::OnSettings, &CTrackwrightDoc::OnUpdateAlwaysEnabled},
    {ID_FILE_EXPORT, ID_FILE_EXPORT, &CTrackwrightDoc::OnFileExport, &CTrackwrightDoc::OnUpdateAlwaysEnabled},
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
    // The outgoing tangent points a quarter turn ahead of the position, the stored incoming one
    // three quarters.
    const float deg = 0.017453292f;
    const float threeHalfPi = 4.712389f;
    for (int i = 0; i < 4; ++i) {
        const double a = static_cast<double>(static_cast<float>(i * 90)) * static_cast<double>(deg);
        const double b = a + static_cast<double>(kHalfPi);
        const double d = a + static_cast<double>(threeHalfPi);
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
    m_visibleMap = ShowHeightMap;
    return TRUE;
}

void CTrackwrightDoc::DeleteContents()
{
    m_course.m_handles.SetSize(0);
    m_xobjects.RemoveAll();
    m_heightMap.clear();
    m_colorMap.clear();
    m_visibleMap = ShowColorMap;
    m_xobjectScale = 0.4f;
    m_history.Clear();
    CDocument::DeleteContents();
}

void CTrackwrightDoc::OnUpdateAlwaysEnabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

const std::string& CTrackwrightDoc::ShownMapPath() const
{
    return m_visibleMap == ShowHeightMap ? m_heightMap : m_colorMap;
}

StoredCourseView CTrackwrightDoc::StoredFields() const
{
    return {m_course.m_handles, m_course.m_texLuminance, m_heightMap, m_colorMap, m_visibleMap, m_xobjects};
}

std::string CourseReadFailedMessage(const std::string& pathName)
{
    return AfxFormatString(IDS_COURSE_READ_FAILED, pathName.c_str());
}

BOOL CTrackwrightDoc::OnOpenDocument(const std::string& pathName)
{
    // The whole file is read before anything changes, so a file that cannot be read
    // leaves the course on screen as it was.
    StoredCourse course;
    if (!ReadCourseFile(pathName, course)) {
        AfxMessageBox(CourseReadFailedMessage(pathName), MB_OK);
        return FALSE;
    }

    DeleteContents();
    TakeStoredCourse(std::move(course), pathName);
    // Kept as read, nothing dropped; but a value the game cannot use is said once, not left to
    // show up as a point that can be neither seen nor picked.
    const std::vector<CourseFinding> values = CheckCourseValues(m_course.m_handles, m_xobjects);
    if (!values.empty())
        AfxMessageBox(OpenValuesMessage(values, m_xobjects), MB_OK | MB_ICONEXCLAMATION);
    return TRUE;
}

void CTrackwrightDoc::TakeStoredCourse(StoredCourse course, const std::string& coursePath)
{
    m_course.m_handles = std::move(course.handles);
    m_course.m_texLuminance = course.texLuminance;
    m_heightMap = std::move(course.heightMap);
    m_colorMap = std::move(course.colorMap);
    m_visibleMap = course.visibleMap;
    m_xobjects = std::move(course.xobjects);
    // The texture needs nothing read after the shown map, so it is built once all is read.
    LoadMap(m_visibleMap, coursePath);
}

BOOL CTrackwrightDoc::OnSaveDocument(const std::string& pathName)
{
    const StoredCourseView course = StoredFields();
    if (const std::string* text = FindUnstorableText(course)) {
        AfxMessageBox(std::string(AfxLoadString(IDS_SAVE_QUOTE_REFUSED)) + *text, MB_OK);
        return FALSE;
    }
    // The old file stays as it was unless every byte of the new one reached the disk.
    const std::string text = CourseFileText(course);
    bool noNewFile = false;
    if (ReplaceFileContents(pathName, text, nullptr, &noNewFile)) {
        m_history.MarkSaved();
        return TRUE;
    }
    // A folder that takes no new file (a writable course in a read-only folder) gets the
    // file written in place, its old contents kept in the recovery folder meanwhile.
    const std::string copy = noNewFile ? OldContentsCopyPath(pathName) : std::string();
    if (copy.empty() || !OverwriteFileInPlace(pathName, text, copy)) {
        std::error_code ec;
        std::string message = AfxFormatString(IDS_COURSE_WRITE_FAILED, pathName.c_str());
        if (!copy.empty() && std::filesystem::exists(copy, ec)) {
            message += AfxLoadString(IDS_SAVE_OLD_CONTENTS_KEPT);
            message += copy;
        }
        AfxMessageBox(message, MB_OK);
        return FALSE;
    }
    AfxSetStatusText(std::string(AfxLoadString(IDS_SAVED_IN_PLACE)) + pathName);
    m_history.MarkSaved();
    return TRUE;
}
