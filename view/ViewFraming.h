#pragma once

// How much of the course the view shows: Home's framing (the view's FreeClientRect and
// ZoomLimits are in TrackwrightView.cpp).
#include "geometry/CourseExtent.h"

// Pixels per course unit that show the whole rectangle in a width x height pixel area with a
// tenth of it left free around.
double FitScale(const CourseExtent& b, double width, double height);
