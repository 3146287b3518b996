#pragma once

// A selection carried over an undo step: the step's list splices say where its indices went.
#include "geometry/CourseSelection.h"

struct UndoStep;

// Carries a selection made over the lists before a step (forward: the step done or redone) or
// after it (backward: undone) over to the other side: the parts keep their selection where
// the step moved them, parts the step removed leave it.
void FollowStep(CourseSelection& sel, const UndoStep& step, bool forward);
