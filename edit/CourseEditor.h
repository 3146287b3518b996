#pragma once

// The owner of one view's editing gestures: the selection, what the left button drags, the
// arrow keys' nudge burst, and the undo step such a gesture keeps open from one event to
// another. The view hands it its events (view/EditInput.h); it asks the view for what the
// view keeps: screen to course (ScreenToWorld, WorldPerPixel, GetCursorClientPos), the capture,
// repaints (Invalidate), the status bar (SetStatusText), and the members the view's text
// defines (m_bLButtonDown, m_ptLast, m_nSelectedType, m_XObjectTypes, m_vCamera).
#include "edit/LeftGesture.h"
#include "edit/StepScope.h"
#include "view/EditInput.h"

#include <optional>

class CTrackwrightView;

class CourseEditor final : public EditInput {
public:
    explicit CourseEditor(CTrackwrightView& view) : m_view(view) {}
    ~CourseEditor() override;
    CourseEditor(const CourseEditor&) = delete;
    CourseEditor& operator=(const CourseEditor&) = delete;

    void LButtonDown(UINT nFlags, CPoint point) override;   // CourseEditor.cpp
    void LButtonDblClk(UINT nFlags, CPoint point) override;
    void LButtonUp(CPoint point) override;
    void MouseMove(CPoint point) override;
    void CaptureLost() override;
    void KeyDown(UINT nChar) override;   // Keys.cpp
    void KeyUp(UINT nChar) override;
    void FocusLost() override;
    void DocumentUpdated(long lHint) override;   // SelectionCommands.cpp
    void CourseReplaced() override;
    void ShowAndSelectPart(const Vector3& where, int handle, int object) override;
    void RunCommand(UINT nID) override;
    bool CanRun(UINT nID) override;
    const CourseSelection& Selection() const override { return m_selection; }
    bool BandShown(CPoint& from, CPoint& to) const override;

    CourseSelection m_selection;
    LeftGesture m_gesture;

private:
    CTrackwrightDoc* Doc() const;
    // The left gesture (LeftGesture.cpp). Start decides it once the press picked its parts: a
    // press on a selected control point's marker or a selected object's body lets go of what
    // was picked and moves the group. Track follows a move with the button down. Finish is the
    // release (released false: the capture was lost, which is no click): a click selects what
    // it pressed on (Shift: adds or removes it) or, on empty ground, clears the selection.
    void StartLeftGesture(CTrackwrightDoc& doc, UINT nFlags, CPoint point);
    void TrackLeftGesture(CTrackwrightDoc& doc, CPoint point);
    void FinishLeftGesture(CTrackwrightDoc& doc, bool released);
    void EndLeftDrag(bool released);
    // Ctrl+left click: a control point on the span under the mouse, or an object of the
    // selected catalogue entry.
    void InsertOrPlace(CPoint point);

    // The selection (SelectionCommands.cpp): dropped when an edit elsewhere (undo, Open) made
    // it stale; carried over the step just recorded by this view's own edit.
    void ValidateSelection();
    void FollowLastStep();
    // Repaints and brings the status bar up to date after the selection changed.
    void SelectionChanged();
    void ClearSelection();
    // DEL over a selected part or over no part removes the whole selection; false when the
    // selection is empty or another part is under the mouse (DEL then takes that part alone).
    bool DeleteSelectionAt(const Vector3& q);
    // Removes the whole selection as one step, unless fewer than 3 control points would be
    // left (the status bar says so).
    void DeleteSelection();
    void SelectAll();
    // Arrow keys move the selection by one pixel's worth (Shift: ten); a burst of them, until
    // the keys are let go, is one step (Keys.cpp).
    void NudgeSelection(int dx, int dy);
    void EndNudge();
    // DEL: the control point and the object under the mouse, or the whole selection.
    void DeleteKey();

    void Cut();   // ClipboardCommands.cpp
    void Copy();
    void Paste();

    // The mouse's course position and the hovered or single selected part's values
    // (StatusText.cpp).
    void ShowStatus(const Vector3& q);

    CTrackwrightView& m_view;
    std::optional<StepScope> m_dragStep;    // open from a left press to its release
    std::optional<StepScope> m_nudgeStep;   // open while a nudge burst lasts
};
