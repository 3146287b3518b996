#pragma once

#include "geometry/CourseRecords.h"
#include "view/GlLines.h"

#include <GL/gl.h>

// A selected control point's marker gets a second ring of this radius, to stand out.
constexpr float kSelectedRingRadius = 1.8f;

// Immediate-mode pieces the course and object drawing are made of. The line pieces are drawn
// in the colour given, which they leave as the current colour; a highlighted piece is red.
// A disc is always red and keeps the current colour.
void DrawCircle(const Vector3& q, float r, int N, const Rgb& colour);
void DrawDisc(const Vector3& q, float r, int N);
void DrawArrow(const Vector3& base, const Vector3& v, float s, bool highlighted, const Rgb& colour);
void DrawWidthMarker(const CourseHandle& handle, BorderSide side, float width, bool highlighted, const Rgb& colour);
void DrawXObjectFrame(const Vector3& p, float a, float b, float s, float d, const Rgb& colour);

// Where the hovered object's label goes: the cursor as the application's main window sees it,
// in device pixels from the lower left. False while there is no main window (no label).
bool HoverLabelOrigin(int* x, int* y);

// Called after the i-th item of a long list: every so many items, hands what has been sent to
// the renderer, so a software renderer rasterizes the first part of a frame while the rest is
// still being sent instead of all of it after the last item.
void PaceFrame(int i);

// Rim point k of a circle of N segments around q: (q.x + r cos θ, q.y + r sin θ, q.z) with
// θ = k * 360 / N degrees. Markers and object circles are the N = 12, r = 1 case.
Vector3 CirclePoint(const Vector3& q, float r, int N, int k);

// Keeps the current colour for the scope, the way glPushAttrib(GL_CURRENT_BIT) would for a
// piece that only changes the colour, without the cost of copying the whole attribute group
// (which dominated the frame time of a large course).
class SavedColour {
public:
    SavedColour();
    ~SavedColour();
    SavedColour(const SavedColour&) = delete;
    SavedColour& operator=(const SavedColour&) = delete;

private:
    GLfloat m_rgba[4] = {1.0f, 1.0f, 1.0f, 1.0f};
};
