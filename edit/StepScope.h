#pragma once

// An undo step open for as long as the object lives: opened at construction and recorded
// under its name at End or, failing that, when the object goes. A handler whose edit begins
// and ends in it keeps one on the stack; a gesture that spans several events keeps its own.
#include "document/CourseHistory.h"

class StepScope {
public:
    StepScope(CTrackwrightDoc& doc, UINT label) : m_pDoc(&doc), m_label(label) { BeginStep(doc); }
    ~StepScope() { End(); }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

    // Names the step by what the edit turned out to do.
    void Rename(UINT label) { m_label = label; }
    // Records the step; true when anything changed. Later calls record nothing.
    bool End()
    {
        CTrackwrightDoc* pDoc = m_pDoc;
        m_pDoc = nullptr;
        return pDoc && EndStep(*pDoc, m_label);
    }
    // Lets the step go unrecorded (the document may be gone before the view).
    void Forget() { m_pDoc = nullptr; }

private:
    CTrackwrightDoc* m_pDoc;
    UINT m_label;
};
