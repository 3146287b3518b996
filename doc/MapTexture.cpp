#include "doc/CourseData.h"

// Placeholder until the map texture loader is built: no texture is made.
bool CourseData::LoadMapTexture(std::string path)
{
    return false;
}
