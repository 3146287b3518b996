#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it; whole files as text.
#include "support/BmpWriter.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <stdlib.h>

struct TempDir {
    TempDir() { path = ::mkdtemp(path.data()) ? path : std::string(); }
    ~TempDir() { std::error_code ec; std::filesystem::remove_all(path, ec); }
    std::string Path(const std::string& name = "") const { return name.empty() ? path : path + "/" + name; }

    std::string path = (std::filesystem::temp_directory_path() / "tw_file_XXXXXX").string();
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
