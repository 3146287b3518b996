#pragma once

#include <string>

// Full path of a data file kept in the program's folder dir (the catalogue, the font), or ""
// when dir is "" (the folder is not known): the view never looks in the working directory, so
// a missing folder reads as a missing file (empty catalogue, untextured font).
std::string DataFilePath(const std::string& dir, const char* name);
