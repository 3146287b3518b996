#pragma once

#include <string>
#include <vector>

// `--render COURSE --out FILE.png [--preview [--drive N]] [--size WxH]`: draws the frame the editor
// shows for a course (with --preview, the 3-D preview's Home view; with --drive N, its drive view
// at the Nth control point) into a PNG, with no display, with the catalogue and font from dataDir
// (the program's folder). Returns the process exit code; errors go to stderr.
int RunRenderCommand(const std::vector<std::string>& args, const std::string& dataDir);
// True when the arguments ask for the render command.
bool IsRenderCommand(const std::vector<std::string>& args);
