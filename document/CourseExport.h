#pragma once

#include <string>

class CTrackwrightDoc;

// Writes the document's course as a binary glTF file at outPath through the safe replace: road,
// borders, terrain and objects (file/GlbFile.h) with heights from the height map at heightScale
// course units per grey level, the colour map as the terrain's texture. Maps are found as the
// view finds them (beside the document's path too). A value that is not finite or out of range
// is refused with a message naming the part before anything is written; a map that cannot be
// read is named in the status bar and the export goes on without it (flat, or grey); a failed
// write leaves the file at outPath as it was. False, with the message shown, when nothing was
// written.
bool ExportCourse(const CTrackwrightDoc& doc, const std::string& outPath, double heightScale);
