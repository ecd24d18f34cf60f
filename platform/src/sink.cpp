// Report and control files in code page 1250, written through a buffer.
#include "platform/sink.h"

#include <fcntl.h>
#include <unistd.h>

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
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    if (!opened(::fdopen(fd, "w"))) {
        ::close(fd);
        ::unlink(path.c_str());  // the file was made by this call and is still empty
        return false;
    }
    return true;
}

bool FileSink::open_rewrite(const std::filesystem::path& path)
{
    close();
    // As the input files are opened: a regular file only, never waiting in the open (a FIFO
    // without a reader, a device). It is emptied only once it is known to be a regular file.
    const int fd = open_regular_file(path, O_WRONLY | O_CREAT);
    if (fd < 0) return false;
    if (::ftruncate(fd, 0) != 0 || !opened(::fdopen(fd, "w"))) {
        ::close(fd);
        return false;
    }
    return true;
}

void FileSink::put(std::string_view record)
{
    if (file_ == nullptr) return;
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
    return !write_failed_;
}

}  // namespace platform
