#pragma once

// The document's undo history at work: every edit of what the course stores runs between
// BeginStep and EndStep, and the modified mark follows the history.

#include "document/UndoHistory.h"

class CTrackwrightDoc;

CourseSettings SettingsOf(const CTrackwrightDoc& doc);

void BeginStep(CTrackwrightDoc& doc);
// Records the step named by the string id label when anything changed and then sets the
// modified mark from the history; true when a step was recorded. A step that changed nothing
// leaves the mark alone.
bool EndStep(CTrackwrightDoc& doc, UINT label);

// The hint the views are updated with after an undo or a redo: the step travelled is the
// history's LastUndone or LastDone.
constexpr long kHintUndone = 1;
constexpr long kHintRedone = 2;

// Undo or redo one step: the lists, the settings and the modified mark go back or forward,
// the map is read again when its path or the shown map changed, and the views repaint.
bool UndoLastStep(CTrackwrightDoc& doc);
bool RedoNextStep(CTrackwrightDoc& doc);
