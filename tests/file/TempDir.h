#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it; whole files as text.
#include "support/BmpWriter.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <stdlib.h>

class TempDir {
public:
    TempDir() : m_path((std::filesystem::temp_directory_path() / "tw_file_XXXXXX").string())
    {
        if (!::mkdtemp(m_path.data()))
            m_path.clear();
    }
    ~TempDir() { std::error_code ec; std::filesystem::remove_all(m_path, ec); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string Path(const std::string& name = "") const { return name.empty() ? m_path : m_path + "/" + name; }

private:
    std::string m_path;
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}
inline std::string ReadBytes(const std::string& path)
{
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    return {bytes.begin(), bytes.end()};
}
