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
        errno = EINVAL;  // no regular file: refused as a name, not for want of resources
        return -1;
    }
    return fd;
}

int create_new_file(const std::filesystem::path& path)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
}

int replace_file(const std::filesystem::path& path)
{
    // Another process may put a name there between the removal and the creation: the exclusive
    // creation then fails, and the name is looked at again (a few times, not for ever).
    for (int attempt = 0; attempt < 3; ++attempt) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0) {
            if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) {
                errno = EINVAL;
                return -1;
            }
            if (::unlink(path.c_str()) != 0 && errno != ENOENT) return -1;
        } else if (errno != ENOENT) {
            return -1;
        }
        const int fd = create_new_file(path);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool lacks_resources(int error) { return error == EMFILE || error == ENFILE || error == ENOMEM; }

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
    const int error = errno;
    ::close(fd);
    if (got != 0) {
        bytes.clear();
        errno = error;
    }
    return got == 0;
}

}  // namespace platform
