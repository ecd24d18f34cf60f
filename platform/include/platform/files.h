// Opening files that must be regular files, and whole files read into memory as bytes.
#pragma once
#include <sys/types.h>

#include <filesystem>
#include <string>

namespace platform {

// Opens `path` with the open(2) `flags` (O_RDONLY, O_RDWR | O_CREAT, ...; close-on-exec is
// added) only when it names a regular file. The open itself never waits: a FIFO without a
// writer, or a device, would block the program or feed it without end, so the file is opened
// without blocking and what was opened is then checked. A folder, a FIFO, a device or a socket
// is refused as a missing file is. Returns the descriptor, in blocking mode again, or -1.
int open_regular_file(const std::filesystem::path& path, int flags, mode_t mode = 0666);

// Reads the whole regular file at `path` into `bytes` (out, unchanged bytes, no line-end
// translation). False when it is no regular file or cannot be opened or read; `bytes` is then
// empty.
bool read_whole_file(const std::filesystem::path& path, std::string& bytes);

}  // namespace platform
