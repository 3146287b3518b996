#pragma once

// What a left press turned into, from the press to the release: the drag of the parts under
// the mouse (as always), the move of the whole selection, or a rubber band over empty ground.
#include "framework/Afx.h"
#include "geometry/CourseRecords.h"
#include "geometry/CourseSelection.h"
#include "geometry/RecordList.h"
#include "geometry/Vector3.h"

#include <cstdint>
#include <vector>

// A press and release whose moves all stay within this many pixels of the press on both axes
// is a click; parts dragged meanwhile still follow the mouse as they always did.
constexpr int kClickSlop = 2;

// In 64 bits: a captured pointer may report any int, and the difference must not overflow.
inline bool BeyondClickSlop(CPoint a, CPoint b)
{
    const auto far = [](std::int64_t d) { return d > kClickSlop || d < -kClickSlop; };
    return far(std::int64_t{a.x} - b.x) || far(std::int64_t{a.y} - b.y);
}

struct LeftGesture {
    // What is dragged: the parts the press grabbed (named by the first of them, control points
    // before objects), the selection as a group, or a band; None between gestures.
    enum class Kind { None, PointMarker, Tangent, Width, ObjectBody, ObjectTip, Group, Band };
    Kind kind = Kind::None;
    CPoint ptDown;
    CPoint ptNow;
    Vector3 qDown;
    bool shift = false;
    bool movedFar = false;   // left the click slop at some time
    int handle = -1;         // the control point (position marker) pressed on, for a click
    int object = -1;         // else the object pressed on
    int handleCount = 0;     // the sizes of the lists those indices refer to
    int objectCount = 0;
    CourseSelection base;    // the selection at the press: a Shift band adds to it
    std::vector<Vector3> start;   // a group move's positions at the press

    bool BandShown() const { return kind == Kind::Band && movedFar; }
    // Forgets what the press named: the lists changed under it.
    void LoseTargets();
};

// What the grabbed parts make of a drag: the first grabbed handle part, else the first
// grabbed object part; None when nothing is grabbed.
LeftGesture::Kind GrabbedKind(const RecordList<CourseHandle>& handles, const RecordList<XObject>& objects);
// The name of the step a gesture of that kind makes; 0 for one that edits nothing.
UINT StepLabel(LeftGesture::Kind kind);
