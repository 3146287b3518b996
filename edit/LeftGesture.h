#pragma once

// What a left press turned into, from the press to the release: the drag of the parts under
// the mouse (as always), the move of the whole selection, or a rubber band over empty ground.
#include "edit/CourseSelection.h"
#include "framework/Afx.h"
#include "geometry/Vector3.h"

#include <cstdint>
#include <vector>

class CTrackwrightView;
class CTrackwrightDoc;

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
    enum class Kind { None, Part, Group, Band };
    Kind kind = Kind::None;
    CPoint ptDown;
    CPoint ptNow;
    Vector3 qDown;
    bool shift = false;
    bool movedFar = false;   // left the click slop at some time
    int handle = -1;         // the control point (position marker) pressed on, for a click
    int object = -1;         // else the object pressed on
    CourseSelection base;    // the selection at the press: a Shift band adds to it
    std::vector<Vector3> start;   // a group move's positions at the press

    bool BandShown() const { return kind == Kind::Band && movedFar; }
};

// After the press picked its parts: decides the gesture. A press on a selected control
// point's marker or a selected object's body lets go of what was picked and moves the group.
void StartLeftGesture(CTrackwrightView& view, CTrackwrightDoc& doc, UINT nFlags, CPoint point);
// A move with the button down: the group follows or the band grows. True when stored values
// changed.
bool TrackLeftGesture(CTrackwrightView& view, CTrackwrightDoc& doc, CPoint point);
// The release (released false: the capture was lost, which is no click). A click selects
// what it pressed on (Shift: adds or removes it) or, on empty ground, clears the selection.
// Returns the name of the step a group move makes, 0 for the others.
UINT FinishLeftGesture(CTrackwrightView& view, CTrackwrightDoc& doc, bool released);
