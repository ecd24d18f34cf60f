// Opening regular files only, and reading a whole file as bytes.
#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

int open_regular_file(const std::filesystem::path& path, int flags, mode_t mode)
{
    // O_NOCTTY: a terminal named as a file never becomes the program's controlling terminal.
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
    if (fd < 0) return -1;
    struct stat info {};
    const int status = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || status == -1 ||
        ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool read_whole_file(const std::filesystem::path& path, std::string& bytes)
{
    bytes.clear();
    const int fd = open_regular_file(path, O_RDONLY);
    if (fd < 0) return false;
    char buffer[65536];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (got != 0) bytes.clear();
    return got == 0;
}

}  // namespace platform
