#include "file/DataFile.h"

#include <sys/stat.h>

namespace {

bool IsFile(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::string DataFilePath(const std::string& dir, const char* name)
{
    if (dir.empty())
        return std::string();
    const std::string beside = dir + name;
    // An installed program keeps its data in the shared folder beside bin/.
    const std::string installed = dir + "../share/trackwright/" + name;
    if (!IsFile(beside) && IsFile(installed))
        return installed;
    return beside;
}
