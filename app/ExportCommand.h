#pragma once

#include <string>
#include <vector>

// `--export COURSE --out FILE.glb [--height-scale S]`: writes the course as a binary glTF file
// (document/CourseExport.h), with no display. Returns the process exit code: 0 when written, 1
// otherwise, with the messages the window would show on stderr.
int RunExportCommand(const std::vector<std::string>& args);
// True when the arguments ask for the export command.
bool IsExportCommand(const std::vector<std::string>& args);
