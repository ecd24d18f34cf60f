// The point database: a direct-access file of 32-byte little-endian records.
#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "library/matrix.h"
#include "platform/console.h"

namespace library {

// Record k (from 1) starts at byte (k-1)*32: point number (int16), X, Y, third value (3 x
// float64, mm), 6 zero bytes. Number 9999 marks a deleted record, 99 ends the counted records.
struct DbRecord {
    std::int16_t number = 0;
    double x = 0.0, y = 0.0, z = 0.0;
};

constexpr std::int16_t DB_DELETED = 9999;
constexpr std::int16_t DB_END = 99;
// The records that the search (BHLED) covers: F(21) - 1 of its Fibonacci table.
constexpr long DB_SEARCH_CAPACITY = 10945;
// The records that the 16-bit count PB can number.
constexpr long DB_COUNT_CAPACITY = 32767;

// The one open database file of a run. The routines take its counted records into memory, work
// on the records there and write back only the records that changed, in one write. The open
// file is locked for the run (an exclusive lock on the open file, released when it is closed),
// so that two runs never extend or sort one database at the same time.
class PointDatabase {
public:
    PointDatabase() = default;
    ~PointDatabase();
    PointDatabase(const PointDatabase&) = delete;
    PointDatabase& operator=(const PointDatabase&) = delete;
    // Opens an existing regular file, or creates it empty, and locks it. False when neither
    // works, when the name is a folder, a FIFO or a device (refused at once, without waiting),
    // and when another run holds the file's lock (in_use() then tells so; nothing waits).
    bool open(const std::filesystem::path& path);
    bool is_open() const { return fd_ >= 0; }
    // The last open() failed because another run holds the database.
    bool in_use() const { return in_use_; }
    void close();
    enum class ReadResult { ok, end_of_file, error };
    // Reads record k; end_of_file beyond the last whole record; error on a failed read or a
    // trailing part-record.
    ReadResult read(long k, DbRecord& record);
    // Reads the records from the first up to the first one numbered 99 (that one included) or
    // the end of the file into `records` (out), in file order; the file beyond a 99 is not
    // read, and never more than 32768 records (the counted ones and the 99 after them). ok when
    // the file's length is a whole number of records and every record read holds zeros in its
    // bytes 26-31; error when the length is not (a part-record), when a record read holds
    // anything else there (the file is no point database), when a read fails, and when more
    // than 32767 records come before a 99 or the end (the 16-bit count cannot number them):
    // `records` then holds the records before the fault (32767 at most for the last).
    ReadResult read_counted(std::vector<DbRecord>& records);
    // Writes record k whole (the 6 bytes after the values as zeros); false when it fails.
    bool write(long k, const DbRecord& record);
    // Writes records first, first + 1, ... from `records` in one write; false when it fails.
    bool write_run(long first, std::span<const DbRecord> records);
    // The file's length in bytes; -1 when it cannot be told.
    long long length();
    // Cuts the file back to `bytes` (a length it had before); false when that fails.
    bool cut_to(long long bytes);

private:
    int fd_ = -1;
    bool in_use_ = false;
};

// Counts records 1.. up to the first numbered 99 or the end of the file into PB (out), then
// sorts records 1..PB by point number (Shell sort, gaps 1, 4, 13, 40, ..., on the records in
// memory, the changed ones written back at the end). Equal numbers keep their file order
// whatever the gaps, so that the record that was in the database first stays first. FAILED
// after the console line " Chyba ve cteni databaze, uloha je prerusena" on any other read
// error: a record that cannot be read, a file whose length is not a multiple of 32 bytes, a
// record whose bytes 26-31 are not zeros (no point database), or more than 32767 counted
// records (PB would overflow); PB then holds the records counted (32767 at most) and nothing is
// sorted. A write that fails ends it with FAILED after the console line of the write error;
// the file then holds its records as before the sort.
Status BTRID(PointDatabase& db, Index& PB, platform::Console& console);
// Marks each repeat of the number before it deleted (9999, zeros) with a console message and the
// deleted record (I6,3F14.1); deleted records are passed over, and of equal numbers the first in
// file order stays. PB (in/out): the records to look at; when nothing was deleted it is
// recounted as the leading records below 9999, otherwise it stays. FAILED when a record up to
// PB is not a whole record of the file (the end of the file, an empty database included): the
// deletions before it are written. FAILED too when the deletions cannot be written (console
// line of the write error; no deletion message then).
Status BSINGL(PointDatabase& db, Index& PB, platform::Console& console);
// Fibonacci search of CB among records 1..PB (sorted by BTRID), one record read per probe.
// DONE: X, Y, Z [mm] = the record's values and KF1 = its record number. FAILED after the console
// line " Hledany bod neni v databazi " followed by CB, with X, Y, Z unchanged and KF1 at the
// last position the search reached (unchanged when no record was probed). PB < 1, and PB above
// 10945 (the capacity of the search's table), give FAILED without a read; a probe that cannot
// be read (PB beyond the end of the file) ends the search, not found.
Status BHLED(PointDatabase& db, Index PB, std::int16_t CB, double& X, double& Y, double& Z,
             Index& KF1, platform::Console& console);
// Appends the point CB with X, Y, Z [mm] as record PB + 1 (replacing a record there) and raises
// PB (in/out). FAILED, PB unchanged and no message, when the record cannot be written or PB is
// already 32767.
Status BULOZ(PointDatabase& db, Index& PB, std::int16_t CB, double X, double Y, double Z);

// The records marked deleted (9999) among records 1..PB taken out of the file: the records after
// them move up in their order, each byte for byte, and the file is cut after the last; PB
// (in/out) is lowered by the records taken out. Called after BTRID, where the deleted records
// stand together after every number below 9999, so that only records numbered above 9999 move.
// Where a record numbered 99 ends the counted records, the file beyond them is not the
// database's to move, and nothing is taken out. FAILED when the file cannot be read or written
// (a write that stops half-way leaves copies of records, which the next cleaning deletes).
Status remove_deleted(PointDatabase& db, Index& PB);

// The point numbers of records 1..PB that are not marked deleted, in file order (out). FAILED
// when those records cannot be read.
Status live_numbers(PointDatabase& db, Index PB, std::vector<std::int16_t>& numbers);

}  // namespace library
