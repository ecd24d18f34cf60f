// Report and control files in code page 1250, written through a buffer.
#include "platform/sink.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/codepage.h"
#include "platform/files.h"

namespace platform {

namespace {

// Larger than a whole report of the largest network, so that a run writes each file in a few
// calls instead of one per record.
constexpr std::size_t buffer_bytes = 64 * 1024;

}  // namespace

FileSink::~FileSink() { close(); }

bool FileSink::opened(std::FILE* file)
{
    if (file == nullptr) return false;
    file_ = file;
    buffer_ = std::make_unique_for_overwrite<char[]>(buffer_bytes);  // pages touched as it fills
    std::setvbuf(file_, buffer_.get(), _IOFBF, buffer_bytes);
    return true;
}

bool FileSink::create_new(const std::filesystem::path& path)
{
    close();
    // O_EXCL makes the test for an existing file and the creation one step: a file that exists
    // is never opened, so its content stays as it was.
    const int fd = create_new_file(path);
    if (fd < 0) return false;
    if (!opened(::fdopen(fd, "w"))) {
        const int error = errno;
        ::close(fd);
        ::unlink(path.c_str());  // the file was made by this call and is still empty
        errno = error;
        return false;
    }
    created_ = path;
    return true;
}

bool FileSink::open_rewrite(const std::filesystem::path& path)
{
    close();
    const int fd = replace_file(path);
    if (fd < 0) return false;
    if (!opened(::fdopen(fd, "w"))) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    return true;
}

void FileSink::remove_if_unwritten()
{
    if (file_ == nullptr || created_.empty() || has_records_) return;
    // Only the file this sink made: the name must still stand for the open file.
    struct stat open_file {}, named {};
    const bool same = ::fstat(::fileno(file_), &open_file) == 0 && ::lstat(created_.c_str(), &named) == 0 &&
                      open_file.st_dev == named.st_dev && open_file.st_ino == named.st_ino &&
                      open_file.st_size == 0;
    if (same) ::unlink(created_.c_str());
    close();
}

void FileSink::put(std::string_view record)
{
    if (file_ == nullptr) return;
    has_records_ = true;
    std::string line = to_cp1250(record);
    line += '\n';
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size()) write_failed_ = true;
}

bool FileSink::flush()
{
    if (file_ != nullptr && std::fflush(file_) != 0) write_failed_ = true;
    return !write_failed_;
}

bool FileSink::close()
{
    if (file_ == nullptr) return !write_failed_;
    flush();
    if (std::fclose(file_) != 0) write_failed_ = true;
    file_ = nullptr;
    buffer_.reset();
    created_.clear();
    has_records_ = false;
    return !write_failed_;
}

}  // namespace platform
