#pragma once

// The recovery copy of the course one running editor is working on, kept in the user's
// state folder so that a crash or a killed process loses at most a few seconds of edits.
//
// Each editor writes one file of its own, "<pid>-<start>.crs", and holds a lock on the
// companion "<pid>-<start>.lock" while it runs; the lock dies with the process, however it
// ends. A recovery file whose lock nobody holds is an orphan, left by an editor that did not
// end normally. The file starts with a comment line naming the course file it belongs to
// (no name for an untitled course), then holds the course file's bytes, so that it also opens
// as a course. Copies from before that comment line (a header line, then the course's path
// on a line of its own) are still read.

#include "file/FileReplace.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// $XDG_STATE_HOME/trackwright, or ~/.local/state/trackwright; "" when neither is known.
std::string DefaultRecoveryFolder();

// Where the old contents of a file about to be written in place are kept meanwhile: a new
// name in the recovery folder (made if needed), "<file name>.<pid>-<time>.old"; "" when there
// is no recovery folder.
std::string OldContentsCopyPath(const std::string& filePath);

// An orphan: its file, the course file it belongs to ("" for an untitled course; absolute)
// and the course text it holds (line ends as ReadTextFile gives them).
struct FoundRecovery {
    std::string path;
    std::string coursePath;
    std::string courseText;
};

class RecoveryFile {
public:
    explicit RecoveryFile(std::string folder);
    ~RecoveryFile();   // releases the lock and leaves the file, as a crash would
    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;

    const std::string& Path() const { return m_path; }
    bool Exists() const { return m_written; }

    // Replaces the recovery file with the course, safely (ReplaceFileContents); false on any
    // failure, which leaves the last good copy. coursePath "" stands for an untitled course.
    bool Write(const std::string& coursePath, std::string_view courseFileText, WriteChunkFn writeChunk = nullptr);
    // Removes this editor's recovery file and lock.
    void Remove();

    // Every orphan in the folder, newest first; files that cannot be read or do not start
    // like a recovery file are passed over.
    std::vector<FoundRecovery> FindOrphans() const;
    // The newest orphan recorded for coursePath, if any.
    std::optional<FoundRecovery> FindOrphan(const std::string& coursePath) const;
    // The key a course's path is recorded under: absolute and normal.
    static std::string CourseKey(const std::string& coursePath);
    // Takes an orphan over as this editor's own recovery file; false when it cannot be moved.
    bool Adopt(const FoundRecovery& orphan);
    // Deletes an orphan the user declined.
    void Discard(const FoundRecovery& orphan) const;

private:
    bool HoldLock();

    std::string m_folder;
    std::string m_path;
    std::string m_lockPath;
    int m_lockFd = -1;
    bool m_written = false;
};

// When the recovery copy is due: a few seconds after the last change, and while changes keep
// coming no later than kMaxDelay after the first one not yet written.
class RecoveryClock {
public:
    static constexpr double kQuiet = 3.0;
    static constexpr double kMaxDelay = 30.0;

    // changes counts the edits so far (any change of the value means an edit); now is in
    // seconds of a steady clock. True when a write is due now.
    bool Due(std::uint64_t changes, double now);
    // The copy was written (or failed): nothing is pending until the next change.
    void Done() { m_pending = false; }

private:
    std::uint64_t m_seen = 0;
    bool m_pending = false;
    double m_lastChange = 0.0;
    double m_firstChange = 0.0;
};
