#include "file/MapPath.h"

#include <sys/stat.h>

std::string MapFileToRead(const std::string& mapPath, const std::string& coursePath)
{
    struct stat st {};
    if (mapPath.empty() || mapPath[0] == '/' || ::stat(mapPath.c_str(), &st) == 0)
        return mapPath;
    const auto slash = coursePath.find_last_of('/');
    if (slash == std::string::npos)
        return mapPath;   // the course lies in the working folder: the same place
    const std::string beside = coursePath.substr(0, slash + 1) + mapPath;
    return ::stat(beside.c_str(), &st) == 0 ? beside : mapPath;
}
