#pragma once

#include <string>
#include <vector>

// `--render COURSE --out FILE.png [--preview] [--size WxH]`: draws the frame the editor shows for a
// course (with --preview, the 3-D preview's Home view) into a PNG, with no display, with the
// catalogue and font from dataDir (the program's folder).
// Returns the process exit code; errors go to stderr.
int RunRenderCommand(const std::vector<std::string>& args, const std::string& dataDir);
// True when the arguments ask for the render command.
bool IsRenderCommand(const std::vector<std::string>& args);
