// Counting and sorting the point database in the file.
#include <limits>

#include "db_store.h"
#include "library/pointdb.h"
#include "messages.h"
#include "library/shell_sort.h"

namespace library {

namespace {

constexpr long largest_count = std::numeric_limits<Index>::max();

enum class Count { complete, read_error };

// PB = the records before the first one numbered 99 or the end of the file. A record that
// cannot be read, a part-record at the end of the file, and a count that would not fit the
// 16-bit PB are read errors (PB then holds the records counted so far).
Count count_records(PointDatabase& db, Index& PB)
{
    PB = 0;
    for (long k = 1;; ++k) {
        DbRecord record;
        const auto result = db.read(k, record);
        if (result == PointDatabase::ReadResult::end_of_file) break;
        if (result == PointDatabase::ReadResult::error) return Count::read_error;
        if (record.number == DB_END) break;
        if (PB == largest_count) return Count::read_error;
        PB = static_cast<Index>(PB + 1);
    }
    return db.length_is_whole() ? Count::complete : Count::read_error;
}

}  // namespace

Status BTRID(PointDatabase& db, Index& PB, platform::Console& console)
{
    if (count_records(db, PB) == Count::read_error) {
        console.say(messages::db_read_error);
        return FAILED;
    }
    detail::DatabaseStore store(db);
    if (!shell_sort(store, PB)) {
        console.say(store.read_failed() ? messages::db_read_error : messages::db_write_error);
        return FAILED;
    }
    return DONE;
}

}  // namespace library
