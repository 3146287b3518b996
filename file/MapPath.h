#pragma once

#include <string>

// The file a course's map path is read from. The path as written comes first (a relative one
// against the working folder, as files always had it); when no such file exists and the path
// is relative, the same path against the folder of the course file at coursePath. The path
// stored in the course is never rewritten; this only says where to look.
std::string MapFileToRead(const std::string& mapPath, const std::string& coursePath);
