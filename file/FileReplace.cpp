#include "file/FileReplace.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinkDepth = 40;

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Follows symbolic links at path until it names something that is not a link (or does not
// exist yet, for a dangling link whose target is to be created). False on a link loop.
bool ResolveLinks(const std::string& path, std::string& resolved)
{
    resolved = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat st {};
        if (::lstat(resolved.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        std::string target(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 256, '\0');
        ssize_t len = 0;
        for (;;) {
            len = ::readlink(resolved.c_str(), target.data(), target.size());
            if (len < 0)
                return false;
            if (static_cast<std::size_t>(len) < target.size())
                break;
            target.resize(target.size() * 2);   // the link changed while we looked
        }
        target.resize(static_cast<std::size_t>(len));
        if (target.empty())
            return false;
        if (target[0] == '/' || resolved.find('/') == std::string::npos)
            resolved = target;
        else
            resolved = resolved.substr(0, resolved.find_last_of('/') + 1) + target;
    }
    return false;
}

bool WriteAll(int fd, std::string_view bytes, WriteChunkFn writeChunk)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t done = writeChunk(fd, p, left);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (done == 0)
            return false;
        p += done;
        left -= static_cast<std::size_t>(done);
    }
    return true;
}

// A file system that cannot sync (EINVAL) has nothing more to give; anything else is a
// real failure to get the bytes to the disk.
bool SyncFile(int fd)
{
    return ::fsync(fd) == 0 || errno == EINVAL;
}

// Creates a new, empty file beside target; the kernel applies the umask to 0666 as it
// would for fopen.
int CreateTemporary(const std::string& target, std::string& tempPath)
{
    const std::string folder = FolderOf(target);
    const auto slash = target.find_last_of('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "/." + base + ".tw" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

// The rest of the file open at fd (from where it stands) into a new file at copyPath, synced;
// nothing is left at copyPath on failure.
bool CopyToNewFile(int fd, const std::string& copyPath)
{
    const int out = ::open(copyPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0)
        return false;
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        if (!WriteAll(out, std::string_view(buffer, static_cast<std::size_t>(got)), &::write)) {
            ok = false;
            break;
        }
    }
    ok = ok && SyncFile(out);
    ok = (::close(out) == 0) && ok;
    if (!ok)
        ::unlink(copyPath.c_str());
    return ok;
}

}  // namespace

bool OverwriteFileInPlace(const std::string& path, std::string_view bytes, const std::string& copyPath,
                          WriteChunkFn writeChunk)
{
    if (!writeChunk)
        writeChunk = &::write;
    if (path.empty() || copyPath.empty())
        return false;
    // Opened without blocking, so a FIFO in its place is refused rather than waited on.
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        !CopyToNewFile(fd, copyPath) || ::lseek(fd, 0, SEEK_SET) != 0) {
        ::close(fd);
        return false;
    }
    bool ok = WriteAll(fd, bytes, writeChunk);
    ok = ok && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
    ok = ok && SyncFile(fd);
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ::unlink(copyPath.c_str());
    return ok;
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes, WriteChunkFn writeChunk, bool* pNoNewFile)
{
    if (pNoNewFile)
        *pNoNewFile = false;
    if (!writeChunk)
        writeChunk = &::write;
    if (path.empty())
        return false;

    std::string target;
    if (!ResolveLinks(path, target))
        return false;

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return false;

    std::string tempPath;
    const int fd = CreateTemporary(target, tempPath);
    if (fd < 0) {
        if (pNoNewFile)
            *pNoNewFile = errno == EACCES || errno == EPERM;
        return false;
    }

    bool ok = true;
    if (exists) {
        // Owner first: changing it may clear the set-id bits that the mode then restores.
        // Both are best effort; a file system without owners or modes refuses them.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
            (void)ignored;
        }
        ::fchmod(fd, old.st_mode & 07777);
    }
    ok = ok && WriteAll(fd, bytes, writeChunk);
    ok = ok && SyncFile(fd);
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }

    // Make the rename itself durable; a folder that cannot be synced changes nothing.
    const int dirFd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    const auto slash = target.find_last_of('/');
    RemoveStaleTemporaries(FolderOf(target), slash == std::string::npos ? target : target.substr(slash + 1));
    return true;
}

namespace {

// The process id of a temporary's name ("." base ".tw" pid "-" n), or 0 when it is not one.
pid_t TemporaryOwner(std::string_view name, std::string_view base)
{
    const std::string_view tag = ".tw";
    if (name.size() < 1 + tag.size() + 3 || name[0] != '.')
        return 0;
    const auto at = name.rfind(tag);
    if (at == std::string_view::npos || at < 2 || (!base.empty() && name.substr(1, at - 1) != base))
        return 0;
    long long pid = 0;
    std::size_t i = at + tag.size();
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && pid < 1'000'000'000; ++i)
        pid = pid * 10 + (name[i] - '0');
    if (pid <= 0 || i == at + tag.size() || i + 1 >= name.size() || name[i] != '-')
        return 0;
    for (++i; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
    }
    return static_cast<pid_t>(pid);
}

}  // namespace

void RemoveStaleTemporaries(const std::string& folder, std::string_view base)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t owner = TemporaryOwner(entry->d_name, base);
        // A save still running in another process keeps its temporary.
        if (owner > 0 && owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}
