#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// True when an argument after the program's name is the option: a command (--render,
// --export, --check) is chosen by its option wherever it stands on the line.
inline bool HasCommandOption(const std::vector<std::string>& args, std::string_view option)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == option)
            return true;
    }
    return false;
}
