// The point database: a direct-access file of 32-byte little-endian records.
#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>

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

// The one open database file of a run.
class PointDatabase {
public:
    PointDatabase() = default;
    ~PointDatabase();
    PointDatabase(const PointDatabase&) = delete;
    PointDatabase& operator=(const PointDatabase&) = delete;
    // Opens an existing regular file, or creates it empty. False when neither works, and when
    // the name is a folder, a FIFO or a device (refused at once, without waiting).
    bool open(const std::filesystem::path& path);
    bool is_open() const { return file_ != nullptr; }
    void close();
    enum class ReadResult { ok, end_of_file, error };
    // Reads record k; end_of_file beyond the last whole record; error on a failed read or a
    // trailing part-record.
    ReadResult read(long k, DbRecord& record);
    // Writes record k whole (the 6 bytes after the values as zeros); false when it fails.
    bool write(long k, const DbRecord& record);
    // True when the file's length is a whole number of records (no part-record at its end).
    bool length_is_whole();

private:
    std::FILE* file_ = nullptr;
};

// Counts records 1.. up to the first numbered 99 or the end of the file into PB (out), then
// sorts records 1..PB by point number in the file (Shell sort, gaps 1, 4, 13, 40, ...; whole
// records moved one at a time on the file). FAILED after the console line
// " Chyba ve cteni databaze, uloha je prerusena" on any other read error: a record that cannot
// be read, a file whose length is not a multiple of 32 bytes, or more than 32767 counted records
// (PB would overflow); PB then holds the records counted (32767 at most) and nothing is sorted.
// A read or write that fails during the sort ends it with FAILED (console line of the read or
// the write error); the record being moved is put back first, so no record is lost.
Status BTRID(PointDatabase& db, Index& PB, platform::Console& console);
// Marks each repeat of the number before it deleted (9999, zeros) with a console message and the
// deleted record (I6,3F14.1); deleted records are passed over. PB (in/out): the records to look
// at; when nothing was deleted it is recounted as the leading records below 9999, otherwise it
// stays. FAILED when a read does not give a whole record (the end of the file, an empty database
// included), or when a deletion cannot be written (console line of the write error); the
// deletions already written stay.
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

}  // namespace library
