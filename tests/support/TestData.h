#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

// A path under tests/data; a missing one fails the running test naming it, not the code under test.
inline std::string TestDataPath(std::string_view relative)
{
    const std::string path = std::string(TW_SOURCE_DIR) + "/tests/data/" + std::string(relative);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        ADD_FAILURE() << "test data missing: " << path;
    return path;
}
