#pragma once

// What the view hands its mouse, keys and edit commands to once it has done its own share
// (the type list, the camera), and what it asks back to draw. The program gives each view a
// course editor (edit/CourseEditor.h); a view without one (a render, a thumbnail) edits
// nothing.
#include "framework/Afx.h"
#include "geometry/CourseSelection.h"
#include "geometry/Vector3.h"

class EditInput {
public:
    virtual ~EditInput() = default;

    // A left press or double click outside the type list.
    virtual void LButtonDown(UINT nFlags, CPoint point) = 0;
    virtual void LButtonDblClk(UINT nFlags, CPoint point) = 0;
    virtual void LButtonUp(CPoint point) = 0;
    // A move outside the type list, before the camera follows it.
    virtual void MouseMove(CPoint point) = 0;
    // The capture went to another window: the drag ends without a click.
    virtual void CaptureLost() = 0;
    virtual void KeyDown(UINT nChar) = 0;
    virtual void KeyUp(UINT nChar) = 0;
    virtual void FocusLost() = 0;
    // The document's views are updated (lHint says why); a new or opened course came.
    virtual void DocumentUpdated(long lHint) = 0;
    virtual void CourseReplaced() = 0;
    // Centres the view on `where` and selects the handle or the object alone.
    virtual void ShowAndSelectPart(const Vector3& where, int handle, int object) = 0;
    // The edit commands the view routes (Cut, Copy, Paste, Delete, Select All) and whether
    // each can run now.
    virtual void RunCommand(UINT nID) = 0;
    virtual bool CanRun(UINT nID) = 0;

    // What the view draws of the editing: the selection, and the rubber band's corners in
    // client pixels while one shows.
    virtual const CourseSelection& Selection() const = 0;
    virtual bool BandShown(CPoint& from, CPoint& to) const = 0;
};
