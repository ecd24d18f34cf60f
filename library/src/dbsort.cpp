// Counting and sorting the point database.
#include <algorithm>
#include <bit>
#include <limits>

#include "db_store.h"
#include "library/pointdb.h"
#include "library/shell_sort.h"
#include "messages.h"

namespace library {

namespace {

constexpr long largest_count = std::numeric_limits<Index>::max();

// PB = the records before the first one numbered 99 or the end of the records read, 32767 at
// most. False when the counted records could not be read whole, or would not fit the 16-bit PB.
bool count_records(PointDatabase::ReadResult read, const std::vector<DbRecord>& records, Index& PB)
{
    long counted = 0;
    while (counted < static_cast<long>(records.size()) && records[static_cast<std::size_t>(counted)].number != DB_END)
        ++counted;
    PB = static_cast<Index>(std::min(counted, largest_count));
    return read == PointDatabase::ReadResult::ok && counted <= largest_count;
}

// Writes back the span of records 1..PB that the sort changed, in one write. When that write
// fails the records as they were are written back, so that the file loses none of them.
bool write_changes(PointDatabase& db, const std::vector<DbRecord>& before, const detail::RecordStore& sorted, long PB)
{
    const auto same = [&](long k) {
        const DbRecord& a = before[static_cast<std::size_t>(k - 1)];
        const DbRecord& b = sorted.record(k);
        return a.number == b.number && std::bit_cast<std::uint64_t>(a.x) == std::bit_cast<std::uint64_t>(b.x) &&
               std::bit_cast<std::uint64_t>(a.y) == std::bit_cast<std::uint64_t>(b.y) &&
               std::bit_cast<std::uint64_t>(a.z) == std::bit_cast<std::uint64_t>(b.z);
    };
    long first = 1, last = PB;
    while (first <= PB && same(first)) ++first;
    while (last >= first && same(last)) --last;
    if (first > last) return true;
    std::vector<DbRecord> changed;
    changed.reserve(static_cast<std::size_t>(last - first + 1));
    for (long k = first; k <= last; ++k) changed.push_back(sorted.record(k));
    if (db.write_run(first, changed)) return true;
    db.write_run(first, std::span(before).subspan(static_cast<std::size_t>(first - 1), changed.size()));
    return false;
}

}  // namespace

Status BTRID(PointDatabase& db, Index& PB, platform::Console& console)
{
    std::vector<DbRecord> records;
    const auto read = db.is_open() ? db.read_counted(records) : PointDatabase::ReadResult::error;
    if (!count_records(read, records, PB)) {
        console.say(messages::db_read_error);
        return FAILED;
    }
    detail::RecordStore store(records);
    shell_sort(store, PB);
    if (write_changes(db, records, store, PB)) return DONE;
    console.say(messages::db_write_error);
    return FAILED;
}

}  // namespace library
