#include "support/TestData.h"

#include <gtest/gtest.h>

#include <filesystem>

std::string TestDataPath(std::string_view relative)
{
    const std::string path = std::string(TW_SOURCE_DIR) + "/tests/data/" + std::string(relative);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        ADD_FAILURE() << "test data missing: " << path;
    return path;
}
