#pragma once

#include <string>
#include <string_view>

// A path under tests/data; a missing one fails the running test naming it, not the code under test.
std::string TestDataPath(std::string_view relative);
