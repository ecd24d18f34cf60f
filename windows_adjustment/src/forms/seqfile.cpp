// The sequential text file of the forms run-time.
#include "forms/seqfile.h"

#include "forms/runtime.h"
#include "platform/files.h"
#include "platform/value_syntax.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace forms {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The lines of a file's bytes: LF ends a line, a CR before it and a final Ctrl-Z are dropped,
// and a last line without its line end still counts.
std::vector<std::string> splitLines(std::string bytes)
{
    if (!bytes.empty() && bytes.back() == '\x1a') bytes.pop_back();
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::vector<std::string> splitValues(std::string_view line)
{
    std::vector<std::string> values;
    std::size_t at = 0;
    while (true) {
        while (at < line.size() && isBlank(line[at])) ++at;
        if (at == line.size()) break;
        if (line[at] == ',') {  // a comma with no value before it
            values.emplace_back();
            ++at;
            continue;
        }
        const std::size_t start = at;
        while (at < line.size() && !isBlank(line[at]) && line[at] != ',') ++at;
        values.emplace_back(line.substr(start, at - start));
        while (at < line.size() && isBlank(line[at])) ++at;
        if (at < line.size() && line[at] == ',') ++at;  // the separator of this value
    }
    return values;
}

int SequentialFile::open(const std::string& path, Mode mode)
{
    close();
    if (const auto& fault = runtimeSeam().openFault) {
        if (const int number = fault(path); number != OpenError::none) return number;
    }
    if (path.empty()) return OpenError::badFileNameOrNumber;
    if (path.find('\0') != std::string::npos) return OpenError::badFileName;
    // Only a regular file: a folder, a FIFO or a device is refused, and the open never waits.
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return OpenError::pathFileAccessError;
    errno = 0;
    if (mode == Mode::input) {
        std::string bytes;
        if (!platform::read_whole_file(path, bytes))
            return errno == 0 ? OpenError::pathFileAccessError : openErrorNumber(errno, path);
        lines_ = splitLines(std::move(bytes));
    } else {
        outputFd_ = platform::open_regular_file(path, O_WRONLY | O_CREAT | O_TRUNC);
        if (outputFd_ < 0) return errno == 0 ? OpenError::pathFileAccessError : openErrorNumber(errno, path);
        output_.clear();
        column_ = 1;
    }
    path_ = path;
    mode_ = mode;
    next_ = 0;
    open_ = true;
    return OpenError::none;
}

void SequentialFile::close()
{
    if (open_ && mode_ == Mode::output) {
        // The records are written out when the file is closed.
        for (std::size_t done = 0; done < output_.size();) {
            const ssize_t put = ::write(outputFd_, output_.data() + done, output_.size() - done);
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) break;
            done += static_cast<std::size_t>(put);
        }
        ::close(outputFd_);
        outputFd_ = -1;
    }
    open_ = false;
    lines_.clear();
    output_.clear();
    next_ = 0;
}

bool SequentialFile::eof() const { return !open_ || mode_ != Mode::input || next_ >= lines_.size(); }

void SequentialFile::rewind() { next_ = 0; }

std::optional<std::string> SequentialFile::lineInput()
{
    if (eof()) return std::nullopt;
    return lines_[next_++];
}

std::optional<std::vector<double>> SequentialFile::recordInput(std::size_t count)
{
    const auto line = lineInput();
    if (!line) return std::nullopt;
    const auto texts = splitValues(*line);
    if (texts.size() < count) return std::nullopt;
    std::vector<double> values;
    for (std::size_t i = 0; i < count; ++i) {
        const auto value = platform::parse_real(texts[i]);
        if (!value) return std::nullopt;
        values.push_back(*value);
    }
    return values;
}

void SequentialFile::print(std::string_view text)
{
    output_ += text;
    column_ += static_cast<int>(text.size());
}

void SequentialFile::tab(int column)
{
    if (column_ > column) endLine();
    while (column_ < column) print(" ");
}

void SequentialFile::endLine()
{
    output_ += "\n";
    column_ = 1;
}

}  // namespace forms
