#pragma once

#include "geometry/CourseRecords.h"

// Immediate-mode pieces the course and object drawing are made of; all in the current colour
// unless a piece is highlighted, which is red.
void DrawCircle(const Vector3& q, float r, int N);
void DrawDisc(const Vector3& q, float r, int N);
void DrawArrow(const Vector3& base, const Vector3& v, float s, bool highlighted);
void DrawWidthMarker(const CourseHandle& handle, int side, float width, bool highlighted);
void DrawXObjectFrame(const Vector3& p, float a, float b, float s, float d);
