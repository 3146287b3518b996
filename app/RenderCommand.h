#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `--render COURSE --out FILE.png [--size WxH]`: draws the frame the editor shows for a course
// into a PNG, with no display, with the catalogue and font from dataDir (the program's folder).
// `--preview` draws the 3-D preview's Home view instead, `--drive N` its drive view at the Nth
// control point. `--thumbnail SIZE` instead of --size draws the course and its objects alone (no
// map, no type list), framed tight (a twentieth free on each side, at least 64 course units each
// way), in a picture of that aspect whose longer side is SIZE pixels; it reads nothing but the
// course file. Returns the process exit code (0 done, 1 the course could not be read or drawn or
// the PNG not written, 2 a bad command line, 3 no OpenGL); errors go to stderr.
int RunRenderCommand(const std::vector<std::string>& args, const std::string& dataDir);
// True when the arguments ask for the render command; for a thumbnail.
bool IsRenderCommand(const std::vector<std::string>& args);
bool IsThumbnailCommand(const std::vector<std::string>& args);

// File managers run thumbnailers on every file a user has, downloads included. A thumbnail
// course is read only up to this size and drawn only up to kMaxThumbnailRecords control points
// and as many objects (a truncated file's count reads as tens of thousands of empty records,
// which would take seconds to draw); the picture's side is at most kMaxThumbnailSide.
constexpr std::uint64_t kMaxThumbnailCourseBytes = std::uint64_t{16} << 20;
constexpr int kMaxThumbnailRecords = 10000;
constexpr int kMaxThumbnailSide = 2048;
constexpr unsigned kThumbnailMemoryMiB = 1024;
constexpr unsigned kThumbnailSeconds = 10;
// Bounds the whole process before a thumbnail: address space (kThumbnailMemoryMiB), CPU and
// wall-clock time (kThumbnailSeconds; past them it is killed), file size, no core file, no
// shader cache. For the program only: a test process calling RunRenderCommand keeps its own.
// False when a limit could not be set.
bool LimitThumbnailProcess();
