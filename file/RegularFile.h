#pragma once

#include <cstdint>
#include <string>

// Every file the program reads comes from outside: its path may name a FIFO with no writer,
// a terminal, a device that never ends or a folder. These open it without ever blocking and
// take it only if it is a regular file no larger than maxBytes, so the size is known (and
// bounded) before a byte is read or allocated.

// A read-only descriptor (close-on-exec, blocking reads restored) for path, or -1 when it
// cannot be opened, is not a regular file, or holds more than maxBytes. size gets its size.
int OpenRegularFile(const std::string& path, std::uint64_t maxBytes, std::uint64_t& size);

// True when OpenRegularFile would succeed; nothing is read.
bool IsReadableRegularFile(const std::string& path, std::uint64_t maxBytes);

// The whole file into bytes (replaced, not appended to); false, with bytes empty, when
// OpenRegularFile refuses the file or a read fails. A file that changes size while it is
// read is taken up to the size first seen.
bool ReadRegularFile(const std::string& path, std::uint64_t maxBytes, std::string& bytes);
