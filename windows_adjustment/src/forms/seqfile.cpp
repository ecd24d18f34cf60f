// The sequential text file of the forms run-time.
#include "forms/seqfile.h"

#include "forms/runtime.h"
#include "platform/value_syntax.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

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
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return OpenError::pathFileAccessError;
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), mode == Mode::input ? "rb" : "wb");
    if (!file) return openErrorNumber(errno, path);
    if (mode == Mode::input) {
        std::string bytes;
        char buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
        const bool failed = std::ferror(file);
        const int readErrno = errno;
        std::fclose(file);
        if (failed) return openErrorNumber(readErrno, path);
        lines_ = splitLines(std::move(bytes));
    } else {
        std::fclose(file);
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
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << output_;
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
