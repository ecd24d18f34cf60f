// Destinations of report and control-file records.
#pragma once
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Receives whole records (UTF-8, leading blank included, no line end).
class RecordSink {
public:
    virtual ~RecordSink() = default;
    virtual void put(std::string_view record) = 0;
    void empty() { put(""); }
};

// A text file in code page 1250, each record ended by a line feed. Stays open until closed or
// destroyed. The records go into the file's buffer and reach the file when the buffer fills, at
// flush() and at close(); the run flushes or closes its files at every halt and at its end.
class FileSink final : public RecordSink {
public:
    FileSink() = default;
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;
    // Creates the file as a new one; false (and nothing touched) when it exists or cannot be made,
    // errno then telling why (EEXIST for a name that exists, a link included).
    bool create_new(const std::filesystem::path& path);
    // Replaces the file with a new, empty one: a regular file or a link of that name is removed
    // and the file is created anew, exclusively and without following links, so that whatever a
    // link pointed to (a hard link's other names included) is never written. False at once,
    // without waiting, when the name is a folder, a FIFO, a device or a socket, or when the file
    // cannot be made (errno tells why).
    bool open_rewrite(const std::filesystem::path& path);
    // The file made by create_new, while no record has been put into it, is removed and closed:
    // a run that never wrote its report leaves no empty file that the next run would refuse as
    // existing. Nothing happens to a file that has records or that the name no longer names.
    void remove_if_unwritten();
    bool is_open() const { return file_ != nullptr; }
    // Whether a record could not be written whole (a full disk, a lost device), as far as the
    // records have reached the file: a failure shows at the latest after flush() or close().
    bool write_failed() const { return write_failed_; }
    void put(std::string_view record) override;
    // Writes the buffered records into the file; false when a write has failed.
    bool flush();
    // Writes the buffered records and closes the file; false when a write or the close failed.
    bool close();

private:
    bool opened(std::FILE* file);  // takes the file with the sink's buffer; false when none

    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;  // the file's buffer, until the file is closed
    bool write_failed_ = false;
    std::filesystem::path created_;  // the file's name when create_new made it
    bool has_records_ = false;       // a record has been put since the file was opened
};

// Keeps the records in memory (tests).
class StringSink final : public RecordSink {
public:
    void put(std::string_view record) override { lines.emplace_back(record); }
    std::vector<std::string> lines;
};

}  // namespace platform
