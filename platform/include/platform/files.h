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

// Creates `path` as a new file for writing: exclusively (a name that exists, a dangling link
// included, fails with EEXIST) and without following links. Returns the descriptor or -1, errno
// telling why.
int create_new_file(const std::filesystem::path& path);

// Puts a new, empty file for writing in place of `path`: a regular file or a link of that name
// (symbolic or hard, to whatever) is removed and the file created as create_new_file does, so
// that no other file is ever written through the name. A folder, a FIFO, a device or a socket of
// that name is refused (errno EINVAL) and left as it is. Returns the descriptor or -1.
int replace_file(const std::filesystem::path& path);

// True when an open failed for want of the machine's resources (descriptors, memory), not
// because of the name: asking for another name cannot help then.
bool lacks_resources(int error);

// Reads the whole regular file at `path` into `bytes` (out, unchanged bytes, no line-end
// translation). False when it is no regular file or cannot be opened or read; `bytes` is then
// empty and errno tells why.
bool read_whole_file(const std::filesystem::path& path, std::string& bytes);

}  // namespace platform
