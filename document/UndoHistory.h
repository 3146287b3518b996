#pragma once

// The undo history: a list of steps, each holding only what one edit changed.

#include "framework/Afx.h"
#include "geometry/CourseRecords.h"
#include "geometry/RecordList.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// The document's values besides the two lists that an edit may change. The object scale
// is not stored in the course file; a step that changes only it leaves the modified mark.
struct CourseSettings {
    std::string heightMap;
    std::string colorMap;
    float luminance = 0.0f;
    std::int32_t visibleMap = 0;
    float objectScale = 0.0f;

    // Float members compare by their bits, so -0 and 0 differ and NaN equals itself.
    bool SameBits(const CourseSettings& o) const;
    bool SameStoredValues(const CourseSettings& o) const;
};

// What an edit works on: the two lists and the settings, by reference.
struct CourseState {
    RecordList<CourseHandle>& handles;
    RecordList<XObject>& objects;
    CourseSettings& settings;
};

// Replace `before` at index `at` with `after`. Records keep only their stored values.
template <class T>
struct ListSplice {
    int at = 0;
    std::vector<T> before;
    std::vector<T> after;
};

struct UndoStep {
    UINT label = 0;   // string id naming the step for the Edit menu
    std::vector<ListSplice<CourseHandle>> handles;   // ascending, applied in order on redo
    std::vector<ListSplice<XObject>> objects;
    bool settingsChanged = false;
    bool storedChange = false;   // false when only the unstored object scale changed
    CourseSettings settingsBefore;
    CourseSettings settingsAfter;
};

// Begin notes the state an edit starts from; End compares and records one step with what
// differs, or nothing when nothing does. Begin/End pairs nest: only the outermost pair
// records, so an action built of several edits (a group move, a paste) is one step. The
// noted state is a copy of both lists held only while the step is open.
class UndoHistory {
public:
    static constexpr int kMaxSteps = 1000;   // the oldest step is dropped beyond this

    void Begin(const CourseState& now);
    // True when a step was recorded.
    bool End(const CourseState& now, UINT label);
    bool IsOpen() const { return m_depth > 0; }

    // Nothing can be undone or redone while a step is open.
    bool CanUndo() const { return !IsOpen() && m_position > 0; }
    bool CanRedo() const { return !IsOpen() && m_position < static_cast<int>(m_steps.size()); }
    UINT UndoLabel() const { return CanUndo() ? m_steps[m_position - 1].label : 0; }
    UINT RedoLabel() const { return CanRedo() ? m_steps[m_position].label : 0; }
    // Apply the step backwards or forwards and return it; null when there is none. The
    // settings are assigned only when the step changed them (the step says so).
    const UndoStep* Undo(const CourseState& state);
    const UndoStep* Redo(const CourseState& state);
    // The step last done or redone, and the one last undone (what Redo would apply); null
    // when there is none.
    const UndoStep* LastDone() const { return m_position > 0 ? &m_steps[m_position - 1] : nullptr; }
    const UndoStep* LastUndone() const
    {
        return m_position < static_cast<int>(m_steps.size()) ? &m_steps[m_position] : nullptr;
    }

    // Empties the history; the present state counts as saved.
    void Clear();
    void MarkSaved() { m_saved = m_position; }
    // Whether the stored values differ from those last saved or opened.
    bool IsModified() const;

    // Grows with every recorded step, undo, redo and Clear: tells that the course changed.
    std::uint64_t Changes() const { return m_changes; }
    // The saved state is gone (the course came from elsewhere than its file).
    void MarkUnsaved() { m_saved = -1; }

    int StepCount() const { return static_cast<int>(m_steps.size()); }
    // Heap and object bytes held by the steps (not by an open step's noted state).
    std::size_t MemoryBytes() const;

private:
    std::deque<UndoStep> m_steps;
    int m_position = 0;   // steps before it are done, from it on undone
    int m_saved = 0;      // position of the saved state; -1 when no longer reachable
    int m_depth = 0;
    std::uint64_t m_changes = 0;
    std::vector<CourseHandle> m_startHandles;
    std::vector<XObject> m_startObjects;
    CourseSettings m_startSettings;
};
