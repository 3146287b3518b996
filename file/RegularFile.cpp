#include "file/RegularFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int OpenRegularFile(const std::string& path, std::uint64_t maxBytes, std::uint64_t& size)
{
    size = 0;
    if (path.empty())
        return -1;
    // O_NONBLOCK: opening a FIFO with no writer (or a terminal line) would otherwise wait
    // forever. It is cleared again once the file is known to be regular.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
        static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    size = static_cast<std::uint64_t>(st.st_size);
    return fd;
}

bool IsReadableRegularFile(const std::string& path, std::uint64_t maxBytes)
{
    std::uint64_t size = 0;
    const int fd = OpenRegularFile(path, maxBytes, size);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool ReadRegularFile(const std::string& path, std::uint64_t maxBytes, std::string& bytes)
{
    std::string().swap(bytes);
    std::uint64_t size = 0;
    const int fd = OpenRegularFile(path, maxBytes, size);
    if (fd < 0)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ok = false;
            break;
        }
        if (got == 0)
            break;   // the file shrank meanwhile
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (!ok) {
        std::string().swap(bytes);
        return false;
    }
    bytes.resize(done);
    return true;
}
