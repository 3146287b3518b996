#pragma once

#include "framework/CListPanel.h"
#include "geometry/CourseCheck.h"

#include <vector>

class CTrackwrightDoc;
class CTrackwrightView;

// The modeless panel of the course check: the figures over the list of findings (kind, part,
// text). Choosing a finding centres the view on it and selects its part alone, so the usual
// gestures and the values dialog fix it. While the panel is open the list follows the course.
class CCourseCheckPanel : public CListPanel {
public:
    CCourseCheckPanel(CTrackwrightDoc& doc, CTrackwrightView& view) : m_doc(doc), m_view(view) {}

    // Opens the panel (or raises it) with a fresh check.
    void Open();
    // Checks again when the course differs from the one last checked; true when it did.
    bool Follow();

    void OnCreatePanel() override;
    void OnRowChosen(int row) override;

    const CourseCheckResult& Result() const { return m_result; }

private:
    void Refresh();

    CTrackwrightDoc& m_doc;
    CTrackwrightView& m_view;
    CourseCheckResult m_result;
    // The stored values last checked, to see whether an edit changed anything.
    RecordList<CourseHandle> m_checkedHandles;
    RecordList<XObject> m_checkedObjects;
};
