#include "doc/RecoveryFile.h"

#include "file/CourseFile.h"
#include "file/Tokenizer.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "#Trackwright recovery\n";

// The course's path as recorded: absolute and normal, so two spellings of one file match.
std::string CourseKey(const std::string& coursePath)
{
    if (coursePath.empty())
        return {};
    std::error_code ec;
    const fs::path abs = fs::weakly_canonical(fs::absolute(coursePath, ec), ec);
    return ec ? coursePath : abs.string();
}

std::string LockPathOf(const std::string& dataPath)
{
    return dataPath.substr(0, dataPath.size() - 4) + ".lock";
}

// Whether a running editor holds the lock of this recovery file. The lock file is opened
// without blocking, so a FIFO put in its place cannot stall the start-up.
bool HeldByLiveEditor(const std::string& dataPath)
{
    const int fd = ::open(LockPathOf(dataPath).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

}  // namespace

std::string DefaultRecoveryFolder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/trackwright";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/state/trackwright";
    return {};
}

RecoveryFile::RecoveryFile(std::string folder) : m_folder(std::move(folder))
{
    // The pid tells running editors apart, the start time an editor from an earlier one with
    // the same pid.
    const auto start = std::chrono::system_clock::now().time_since_epoch().count();
    const std::string name = std::to_string(::getpid()) + "-" + std::to_string(start);
    m_path = m_folder + "/" + name + ".crs";
    m_lockPath = m_folder + "/" + name + ".lock";
}

RecoveryFile::~RecoveryFile()
{
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

bool RecoveryFile::HoldLock()
{
    if (m_lockFd >= 0)
        return true;
    if (m_folder.empty())
        return false;
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    // The copies hold the user's work: the folder is the user's alone.
    fs::permissions(m_folder, fs::perms::owner_all, ec);
    const int fd = ::open(m_lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_lockFd = fd;
    return true;
}

bool RecoveryFile::Write(const std::string& coursePath, std::string_view courseFileText, WriteChunkFn writeChunk)
{
    const std::string key = CourseKey(coursePath);
    if (key.find('\n') != std::string::npos || !HoldLock())
        return false;
    std::string bytes;
    bytes.reserve(kHeader.size() + key.size() + 1 + courseFileText.size());
    bytes.append(kHeader).append(key).append(1, '\n').append(courseFileText);
    if (!ReplaceFileContents(m_path, bytes, writeChunk))
        return false;
    m_written = true;
    return true;
}

void RecoveryFile::Remove()
{
    std::error_code ec;
    fs::remove(m_path, ec);
    m_written = false;
    if (m_lockFd >= 0) {
        fs::remove(m_lockPath, ec);
        ::close(m_lockFd);
        m_lockFd = -1;
    }
}

std::optional<FoundRecovery> RecoveryFile::FindOrphan(const std::string& coursePath) const
{
    // Copies being written when their editor was killed: no editor will finish them.
    RemoveStaleTemporaries(m_folder);
    const std::string key = CourseKey(coursePath);
    std::optional<FoundRecovery> best;
    fs::file_time_type bestTime;
    std::error_code ec;
    for (fs::directory_iterator it(m_folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        std::error_code sec;
        if (p.extension() != ".crs" || p.string() == m_path || !fs::is_regular_file(fs::symlink_status(p, sec)))
            continue;
        if (HeldByLiveEditor(p.string()))
            continue;
        std::string text;
        // A course as large as Open takes, with the header line.
        if (!ReadTextFile(p.string(), kMaxCourseFileBytes + 4096, text) || text.compare(0, kHeader.size(), kHeader) != 0)
            continue;
        const std::size_t eol = text.find('\n', kHeader.size());
        if (eol == std::string::npos || text.compare(kHeader.size(), eol - kHeader.size(), key) != 0 ||
            eol - kHeader.size() != key.size())
            continue;
        const fs::file_time_type time = fs::last_write_time(p, sec);
        if (best && time <= bestTime)
            continue;
        best = FoundRecovery{p.string(), text.substr(eol + 1)};
        bestTime = time;
    }
    return best;
}

bool RecoveryFile::Adopt(const FoundRecovery& orphan)
{
    if (!HoldLock() || ::rename(orphan.path.c_str(), m_path.c_str()) != 0)
        return false;
    std::error_code ec;
    fs::remove(LockPathOf(orphan.path), ec);
    m_written = true;
    return true;
}

void RecoveryFile::Discard(const FoundRecovery& orphan) const
{
    std::error_code ec;
    fs::remove(orphan.path, ec);
    fs::remove(LockPathOf(orphan.path), ec);
}

bool RecoveryClock::Due(std::uint64_t changes, double now)
{
    if (changes != m_seen) {
        if (!m_pending)
            m_firstChange = now;
        m_seen = changes;
        m_lastChange = now;
        m_pending = true;
    }
    return m_pending && (now - m_lastChange >= kQuiet || now - m_firstChange >= kMaxDelay);
}
