// Closed standard descriptors replaced by /dev/null at the start of a console program.
#include "platform/descriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {

namespace {

bool is_closed(int fd) { return ::fcntl(fd, F_GETFD) == -1 && errno == EBADF; }

}  // namespace

void open_standard_descriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (!is_closed(fd)) continue;
        // open takes the lowest free descriptor: with 0..fd-1 open, that is fd itself.
        const int opened = ::open("/dev/null", O_RDWR | O_NOCTTY);
        if (opened < 0) std::_Exit(1);
        if (opened == fd) continue;
        const bool placed = ::dup2(opened, fd) == fd;
        ::close(opened);
        if (!placed) std::_Exit(1);
    }
}

}  // namespace platform
