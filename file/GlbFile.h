#pragma once

#include "geometry/CourseMeshes.h"

#include <string>

// The bytes of a binary glTF 2.0 file (.glb) of the course's meshes: root nodes "road",
// "borders" and "terrain" holding their meshes as they are (no transform), then one node per
// object named by its file name (also in its extras as "file") holding its footprint. The road
// gets grey asphalt, the borders white, the terrain terrainPng (the bytes of a PNG file, the
// colour map) as its texture when given, else grey. An empty mesh leaves its node without one.
// Empty when the library fails. The meshes are taken (and let go as they are copied).
std::string EncodeCourseGlb(CourseMeshes meshes, const std::string& terrainPng);
