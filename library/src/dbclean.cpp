// Marking repeated point numbers of the sorted point database deleted.
#include "library/pointdb.h"
#include "messages.h"
#include "platform/record.h"

namespace library {

namespace {

// The deleted record as the console shows it: (I6,3F14.1), its first character being the
// record's carriage control.
void show_deleted(platform::Console& console, const DbRecord& record)
{
    console.say(messages::db_duplicate);
    console.record(platform::Record().i(record.number, 6).f(record.x, 14, 1).f(record.y, 14, 1).f(record.z, 14, 1));
}

// PB = the leading records numbered below 9999. False when a read fails.
bool recount(PointDatabase& db, Index& PB)
{
    Index counted = 0;
    for (long J = 1; J <= PB; ++J) {
        DbRecord record;
        if (db.read(J, record) != PointDatabase::ReadResult::ok) return false;
        if (record.number >= DB_DELETED) break;
        ++counted;
    }
    PB = counted;
    return true;
}

}  // namespace

// A read that does not give a whole record (the end of the file, or a record that cannot be
// read) ends the routine with FAILED; so does a deletion that cannot be written, after the
// console line of the write error. Deletions already written stay.
Status BSINGL(PointDatabase& db, Index& PB, platform::Console& console)
{
    DbRecord record;
    if (db.read(1, record) != PointDatabase::ReadResult::ok) return FAILED;
    std::int16_t current = record.number;
    long deleted = 0;
    for (long J = 2; J <= PB; ++J) {
        if (db.read(J, record) != PointDatabase::ReadResult::ok) return FAILED;
        if (record.number == DB_DELETED) continue;
        if (record.number != current) {
            current = record.number;
            continue;
        }
        if (!db.write(J, DbRecord{DB_DELETED, 0.0, 0.0, 0.0})) {
            console.say(messages::db_write_error);
            return FAILED;
        }
        show_deleted(console, record);
        ++deleted;
    }
    if (deleted > 0) return DONE;
    return recount(db, PB) ? DONE : FAILED;
}

}  // namespace library
