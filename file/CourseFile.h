#pragma once

// Pieces of the course file reader and writer that other code and the tests use; the open
// and save operations themselves are CTrackwrightDoc::OnOpenDocument / OnSaveDocument.

#include "geometry/Vector3.h"

#include <string>

class CTrackwrightDoc;
class TokenReader;

// Two number tokens as x and y, with z 0 and w 1.
Vector3 ReadVector2(TokenReader& reader, std::string& token);

// The bytes of the course file for the document, CR LF line ends.
std::string CourseFileText(const CTrackwrightDoc& doc);
