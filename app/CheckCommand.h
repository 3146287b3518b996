#pragma once

#include <string>
#include <vector>

// `--check COURSE`: one line per finding of the course check on stdout, in the form compilers use
// (`COURSE:handle 12: fold: text`), then a summary line. Exit code 0 without findings, 1 with
// findings, 2 when the course cannot be read (the reader's message on stderr) or the arguments
// are wrong. Needs no display.
int RunCheckCommand(const std::vector<std::string>& args);
// True when the arguments ask for the check command.
bool IsCheckCommand(const std::vector<std::string>& args);
