#include "view/DataFile.h"

#include "app/TrackwrightApp.h"

std::string DataFilePath(const char* name)
{
    const std::string dir = AppDataDir();
    return dir.empty() ? std::string() : dir + name;
}
