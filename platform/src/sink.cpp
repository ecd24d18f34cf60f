// Report and control files in code page 1250.
#include "platform/sink.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/codepage.h"

namespace platform {

FileSink::~FileSink() { close(); }

bool FileSink::create_new(const std::filesystem::path& path)
{
    close();
    // O_EXCL makes the test for an existing file and the creation one step: a file that exists
    // is never opened, so its content stays as it was.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    file_ = ::fdopen(fd, "w");
    if (file_ == nullptr) {
        ::close(fd);
        ::unlink(path.c_str());  // the file was made by this call and is still empty
        return false;
    }
    return true;
}

bool FileSink::open_rewrite(const std::filesystem::path& path)
{
    close();
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

void FileSink::put(std::string_view record)
{
    if (file_ == nullptr) return;
    std::string line = to_cp1250(record);
    line += '\n';
    // Written through at once: what stands in the file must survive a halt.
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() || std::fflush(file_) != 0)
        write_failed_ = true;
}

void FileSink::close()
{
    if (file_ == nullptr) return;
    std::fclose(file_);
    file_ = nullptr;
}

}  // namespace platform
