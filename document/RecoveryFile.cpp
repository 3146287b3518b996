#include "document/RecoveryFile.h"

#include "file/CourseFile.h"
#include "file/Tokenizer.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The first line: a comment, so that the copy opens as a course too. Copies written before
// it was a comment hold kOldHeader and then the course's path on a line of its own.
constexpr std::string_view kHeader = "#Trackwright recovery: ";
constexpr std::string_view kOldHeader = "#Trackwright recovery\n";

// The course path a copy records and where its course text starts; false when the text is
// no recovery copy.
bool ReadHeader(const std::string& text, std::string& key, std::size_t& body)
{
    std::size_t start = 0;
    if (text.starts_with(kHeader))
        start = kHeader.size();
    else if (text.starts_with(kOldHeader))
        start = kOldHeader.size();
    else
        return false;
    const std::size_t eol = text.find('\n', start);
    if (eol == std::string::npos)
        return false;
    key = text.substr(start, eol - start);
    body = eol + 1;
    return true;
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

// Absolute and normal, so two spellings of one file match.
std::string RecoveryFile::CourseKey(const std::string& coursePath)
{
    if (coursePath.empty())
        return {};
    std::error_code ec;
    const fs::path abs = fs::weakly_canonical(fs::absolute(coursePath, ec), ec);
    return ec ? coursePath : abs.string();
}

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

std::string OldContentsCopyPath(const std::string& filePath)
{
    const std::string folder = DefaultRecoveryFolder();
    std::error_code ec;
    if (folder.empty() || (!fs::create_directories(folder, ec) && ec))
        return {};
    fs::permissions(folder, fs::perms::owner_all, ec);
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    return folder + "/" + fs::path(filePath).filename().string() + "." + std::to_string(::getpid()) + "-" +
           std::to_string(now) + ".old";
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
    bytes.reserve(kHeader.size() + key.size() + 2 + courseFileText.size());
    bytes.append(kHeader).append(key).append("\r\n").append(courseFileText);
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

std::vector<FoundRecovery> RecoveryFile::FindOrphans() const
{
    // Copies being written when their editor was killed: no editor will finish them.
    RemoveStaleTemporaries(m_folder);
    std::vector<std::pair<fs::file_time_type, FoundRecovery>> found;
    std::error_code ec;
    for (fs::directory_iterator it(m_folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        std::error_code sec;
        if (p.extension() != ".crs" || p.string() == m_path || !fs::is_regular_file(fs::symlink_status(p, sec)))
            continue;
        if (HeldByLiveEditor(p.string()))
            continue;
        std::string text;
        std::string key;
        std::size_t body = 0;
        // A course as large as Open takes, with the header line.
        if (!ReadTextFile(p.string(), kMaxCourseFileBytes + 4096, text) || !ReadHeader(text, key, body))
            continue;
        text.erase(0, body);
        found.emplace_back(fs::last_write_time(p, sec), FoundRecovery{p.string(), std::move(key), std::move(text)});
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<FoundRecovery> orphans;
    for (auto& entry : found)
        orphans.push_back(std::move(entry.second));
    return orphans;
}

std::optional<FoundRecovery> RecoveryFile::FindOrphan(const std::string& coursePath) const
{
    const std::string key = CourseKey(coursePath);
    for (FoundRecovery& orphan : FindOrphans()) {
        if (orphan.coursePath == key)
            return std::move(orphan);
    }
    return std::nullopt;
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
