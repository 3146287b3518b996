#pragma once

#include <string>
#include <string_view>

// The path of a file or folder under tests/data. One that is not there fails the running test
// with its path, so a missing data file never reads as a fault of the code under test.
std::string TestDataPath(std::string_view relative);
