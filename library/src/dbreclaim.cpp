// Taking the deleted records out of the point database, and the numbers it holds as points.
#include <algorithm>

#include "library/pointdb.h"

namespace library {

namespace {

constexpr long record_length = 32;

// Records 1..PB read whole, or false.
bool read_first(PointDatabase& db, Index PB, std::vector<DbRecord>& records)
{
    if (!db.is_open() || db.read_counted(records) != PointDatabase::ReadResult::ok) return false;
    if (static_cast<long>(records.size()) < PB) return false;
    records.resize(static_cast<std::size_t>(PB > 0 ? PB : 0));
    return true;
}

bool deleted(const DbRecord& record) { return record.number == DB_DELETED; }

}  // namespace

Status remove_deleted(PointDatabase& db, Index& PB)
{
    std::vector<DbRecord> records;
    if (!read_first(db, PB, records)) return FAILED;
    const auto first = std::find_if(records.begin(), records.end(), deleted);
    if (first == records.end()) return DONE;
    // Records after the counted ones (a 99 and what follows it) stay where they are.
    if (db.length() != static_cast<long long>(PB) * record_length) return DONE;
    const long from = static_cast<long>(first - records.begin()) + 1;
    std::vector<DbRecord> kept(first, records.end());
    kept.erase(std::remove_if(kept.begin(), kept.end(), deleted), kept.end());
    if (!kept.empty() && !db.write_run(from, kept)) return FAILED;
    const long remaining = from - 1 + static_cast<long>(kept.size());
    if (!db.cut_to(static_cast<long long>(remaining) * record_length)) return FAILED;
    PB = static_cast<Index>(remaining);
    return DONE;
}

Status live_numbers(PointDatabase& db, Index PB, std::vector<std::int16_t>& numbers)
{
    numbers.clear();
    std::vector<DbRecord> records;
    if (!read_first(db, PB, records)) return FAILED;
    for (const DbRecord& record : records)
        if (!deleted(record)) numbers.push_back(record.number);
    return DONE;
}

}  // namespace library
