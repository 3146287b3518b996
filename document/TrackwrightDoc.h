#pragma once

#include "document/CourseData.h"
#include "document/UndoHistory.h"
#include "file/CourseFile.h"
#include "framework/CDocument.h"
#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"

#include <cstdint>
#include <string>

// What Open says when the file cannot be read; the check command says the same.
std::string CourseReadFailedMessage(const std::string& pathName);

// The one document: the course, its objects, the two map paths and how the map is shown.
class CTrackwrightDoc : public CDocument {
public:
    static constexpr const char* RuntimeClassName = "CTrackwrightDoc";

    CTrackwrightDoc() = default;
    ~CTrackwrightDoc() override = default;

    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(const std::string& pathName) override;
    BOOL OnSaveDocument(const std::string& pathName) override;
    void DeleteContents() override;

    // The fields a course file stores, as the document holds them.
    StoredCourseView StoredFields() const;
    // The path of the map m_visibleMap shows.
    const std::string& ShownMapPath() const;
    // Puts a course as read from the file at coursePath in place of the deleted contents and
    // loads its map.
    void TakeStoredCourse(StoredCourse course, const std::string& coursePath);

    bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    // Commands.
    void OnSettings();
    // File → Export: the height scale (remembered per user), a .glb path, the file (ExportDlg.cpp).
    void OnFileExport();
    void OnViewHeightMap();
    void OnViewColorMap();
    void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);
    void OnUpdateViewHeightMap(CCmdUI* pCmdUI);
    void OnUpdateViewColorMap(CCmdUI* pCmdUI);
    // Edit menu (CourseHistory.cpp).
    void OnEditUndo();
    void OnEditRedo();
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateEditRedo(CCmdUI* pCmdUI);

    // Reads the map `visible` selects (ShowHeightMap, any other value the colour map) into the
    // texture, found as MapFileToRead says from the course at coursePath. A map that cannot be
    // read, or that the GL cannot take, is reported in the status bar with its path and leaves
    // the texture as it was; false then. No map named: nothing to read, true (ShownMap.cpp).
    bool LoadMap(std::int32_t visible, const std::string& coursePath);

    CourseData m_course;
    std::string m_heightMap;
    std::string m_colorMap;
    std::int32_t m_visibleMap = ShowHeightMap;   // a ShownMap, or whatever the file held
    RecordList<XObject> m_xobjects;
    float m_xobjectScale = 0.4f;
    UndoHistory m_history;   // emptied by New and Open
};
