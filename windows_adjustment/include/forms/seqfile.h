// The sequential text file of the forms run-time: opened for input or for output by name,
// read by lines or by records of values, written with positioning.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

// Error numbers of the run-time that an open reports (0: opened).
namespace OpenError {
inline constexpr int none = 0;
inline constexpr int badFileNameOrNumber = 52;  // no name given
inline constexpr int fileNotFound = 53;
inline constexpr int deviceIoError = 57;        // any other failure of the system
inline constexpr int badFileName = 64;          // a name the file system refuses
inline constexpr int tooManyFiles = 67;
inline constexpr int deviceUnavailable = 68;
inline constexpr int diskNotReady = 71;
inline constexpr int pathFileAccessError = 75;
inline constexpr int pathNotFound = 76;
}  // namespace OpenError

// The error number for a failed open of `path`, from the C library's errno:
// ENOENT is 53 when the folder of the name exists and 76 when it does not; ENOTDIR and ELOOP 76;
// EACCES, EPERM, EROFS, EISDIR, ETXTBSY, EBUSY 75; ENAMETOOLONG and EINVAL 64; ENXIO and ENODEV
// 68; ENOMEDIUM and EIO 71; EMFILE and ENFILE 67; any other 57.
int openErrorNumber(int errnoValue, const std::string& path);

class SequentialFile {
public:
    SequentialFile() = default;
    SequentialFile(const SequentialFile&) = delete;
    SequentialFile& operator=(const SequentialFile&) = delete;
    ~SequentialFile() { close(); }

    enum class Mode { input, output };

    // Opens the file and returns the error number (0 when opened). An empty name is 52; a
    // folder, a FIFO or a device 75 (the open never waits on them). For input the whole file is read at once; a carriage return before a line feed
    // and a Ctrl-Z that ends the file are ignored. For output the file is created or emptied.
    // A test may make every open report a number of its choice (see runtime.h).
    int open(const std::string& path, Mode mode);
    bool isOpen() const { return open_; }
    // Closes the file (an output file is written out). Closing a closed file does nothing.
    void close();
    // True when no line is left to read (also when the file is not open).
    bool eof() const;
    // Back to the first line of an input file.
    void rewind();

    // The next whole line, without its line end; nothing at the end of the file or when the file
    // is not open for input.
    std::optional<std::string> lineInput();
    // The next line as a record of `count` numbers written with "." as the decimal point,
    // separated by commas or blanks; values after the last one are ignored. Nothing at the end of
    // the file, for a line with fewer values, or for a value that is not a number.
    std::optional<std::vector<double>> recordInput(std::size_t count);

    // Output: text at the current position; blanks up to the 1-based column (a new line first
    // when the position is already past it); the end of the line.
    void print(std::string_view text);
    void tab(int column);
    void endLine();

private:
    bool open_ = false;
    Mode mode_ = Mode::input;
    std::string path_;
    std::vector<std::string> lines_;  // input
    std::size_t next_ = 0;
    std::string output_;              // output, written when the file is closed
    int outputFd_ = -1;
    int column_ = 1;
};

// The values of a line separated by commas or blanks (tabs count as blanks); a comma with no
// value before it gives an empty value.
std::vector<std::string> splitValues(std::string_view line);

}  // namespace forms
