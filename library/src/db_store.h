// The point database seen as a store of whole records for the shared Shell sort.
#pragma once

#include "library/pointdb.h"

namespace library::detail {

class DatabaseStore {
public:
    using Item = DbRecord;
    explicit DatabaseStore(PointDatabase& db) : db_(db) {}
    bool get(long k, DbRecord& record)
    {
        const auto result = db_.read(k, record);
        if (result != PointDatabase::ReadResult::ok) read_failed_ = true;
        return result == PointDatabase::ReadResult::ok;
    }
    bool put(long k, const DbRecord& record) { return db_.write(k, record); }
    static bool greater(const DbRecord& a, const DbRecord& b) { return a.number > b.number; }
    // True when the sort stopped at a record that could not be read (else at a failed write).
    bool read_failed() const { return read_failed_; }

private:
    PointDatabase& db_;
    bool read_failed_ = false;
};

}  // namespace library::detail
