#pragma once

// What a control point or an object can light under the camera, whole or only the piece a hover
// paints red; the boxes a frame clears and redraws when they change.
#include "geometry/RecordList.h"
#include "view/SceneLook.h"
#include "view/ScreenRegion.h"

// Control point i with its markers, arrows and the span to the next one.
WorldBox HandleBox(const RecordList<CourseHandle>& handles, int i);
// The circle, the arrow and the turned footprint of an object.
WorldBox ObjectBox(const XObject& o, float scale);
// The piece a hover of that part paints red, or leaves unpainted; nothing for no part.
WorldBox HoverPieceBox(const RecordList<CourseHandle>& handles, int i, HandlePart part);
WorldBox HoverPieceBox(const XObject& o, ObjectPart part);
// The rubber band's four edges, each with the pixels a line along it can light.
void AddBandEdges(const ViewLook& look, std::vector<PixelRect>& out);
// The two looks differ at most in what is hovered (and so in a label's text).
bool OnlyHoverDiffers(const HandleLook& a, const HandleLook& b);
bool OnlyHoverDiffers(const ObjectLook& a, const ObjectLook& b);
