// Marking repeated point numbers of the sorted point database deleted.
#include "library/pointdb.h"
#include "messages.h"
#include "platform/record.h"

namespace library {

namespace {

const DbRecord deleted_record{DB_DELETED, 0.0, 0.0, 0.0};

// The deleted record as the console shows it: (I6,3F14.1), its first character being the
// record's carriage control.
void show_deleted(platform::Console& console, const DbRecord& record)
{
    console.say(messages::db_duplicate);
    console.record(platform::Record().i(record.number, 6).f(record.x, 14, 1).f(record.y, 14, 1).f(record.z, 14, 1));
}

// PB = the leading records numbered below 9999. False when a record up to PB is missing.
bool recount(const std::vector<DbRecord>& records, Index& PB)
{
    Index counted = 0;
    for (long J = 1; J <= PB; ++J) {
        if (J > static_cast<long>(records.size())) return false;
        if (records[static_cast<std::size_t>(J - 1)].number >= DB_DELETED) break;
        ++counted;
    }
    PB = counted;
    return true;
}

}  // namespace

// The records are read whole; a record up to PB that the file does not hold whole is the end
// of the file for the routine: it stops there with FAILED, after writing the deletions before
// it. The deletions are written in one write (from the first to the last deleted record), and
// their messages shown after it, in file order.
Status BSINGL(PointDatabase& db, Index& PB, platform::Console& console)
{
    std::vector<DbRecord> records;
    if (db.is_open()) db.read_counted(records);
    const long available = static_cast<long>(records.size());
    if (available < 1) return FAILED;
    std::vector<DbRecord> cleaned = records;
    std::int16_t current = cleaned[0].number;
    long first = 0, last = 0;  // the deleted records, 0 when none
    bool ended = false;
    for (long J = 2; J <= PB; ++J) {
        if (J > available) {
            ended = true;
            break;
        }
        DbRecord& record = cleaned[static_cast<std::size_t>(J - 1)];
        if (record.number == DB_DELETED) continue;
        if (record.number != current) {
            current = record.number;
            continue;
        }
        record = deleted_record;
        if (first == 0) first = J;
        last = J;
    }
    if (first > 0) {
        const auto span = std::span(cleaned).subspan(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
        if (!db.write_run(first, span)) {
            console.say(messages::db_write_error);
            return FAILED;
        }
        for (long J = first; J <= last; ++J)
            if (cleaned[static_cast<std::size_t>(J - 1)].number == DB_DELETED &&
                records[static_cast<std::size_t>(J - 1)].number != DB_DELETED)
                show_deleted(console, records[static_cast<std::size_t>(J - 1)]);
    }
    if (ended) return FAILED;
    if (first > 0) return DONE;
    return recount(cleaned, PB) ? DONE : FAILED;
}

}  // namespace library
