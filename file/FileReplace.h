#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <sys/types.h>

// Writes one chunk like ::write: the number of bytes written, or -1 with errno set.
using WriteChunkFn = ssize_t (*)(int fd, const void* data, std::size_t size);

// Replaces the contents of the file at path with bytes, so that the file holds either its
// old contents or all of the new ones, never a mix: the bytes go to a new file in the same
// folder, are synced, and only then renamed over the old one. A symbolic link is followed
// and the file it names is replaced. The old file's permissions (and, where allowed, owner)
// are kept; a new file gets 0666 less the umask, like fopen. A target that exists and is not a
// regular file (a folder, device or pipe) is refused untouched: writing to a FIFO with no
// reader would block. False on any failure (a write over the file-size limit fails with
// EFBIG once SIGXFSZ is ignored), with nothing changed and no temporary file left behind.
// writeChunk lets a test make a write fail midway. pNoNewFile, when given, is set true when the
// failure was that the folder takes no new file (no write permission on it): nothing was
// written, and OverwriteFileInPlace may still save.
bool ReplaceFileContents(const std::string& path, std::string_view bytes,
                         WriteChunkFn writeChunk = nullptr, bool* pNoNewFile = nullptr);

// Writes bytes over the existing regular file at path in place, for a folder where no new file
// can be made: first the old contents go to a new file at copyPath (synced), then the file is
// written from its start, cut to the new length and synced. It keeps its inode, owner and
// permissions. Not atomic: a write failing midway leaves the file part new, part old, and then
// the copy stays at copyPath; on success, and on a failure before the file was touched, no copy
// is left. A path that names no regular file is refused untouched without blocking. False on
// any failure. writeChunk as for ReplaceFileContents.
bool OverwriteFileInPlace(const std::string& path, std::string_view bytes, const std::string& copyPath,
                          WriteChunkFn writeChunk = nullptr);

// Removes the temporaries that saves killed midway left in folder: the files CreateTemporary
// names ".<base>.tw<pid>-<n>" whose process no longer runs. base "" matches every file name.
void RemoveStaleTemporaries(const std::string& folder, std::string_view base = {});
