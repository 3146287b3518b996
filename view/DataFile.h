#pragma once

#include <string>

// Full path of a data file kept beside the program (the catalogue, the font), or "" when the
// program's folder is not known: the view never looks in the working directory, so a missing
// folder reads as a missing file (empty catalogue, untextured font).
std::string DataFilePath(const char* name);
