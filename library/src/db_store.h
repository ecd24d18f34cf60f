// The records of the point database in memory, seen as a store for the shared Shell sort.
#pragma once

#include <vector>

#include "library/pointdb.h"

namespace library::detail {

// Each record carries its place in the file before the sort. Equal numbers compare by that
// place, so that a pass with any gap keeps them in file order: the record that came first
// (the one the database held before a run appended its points) stays first.
struct PlacedRecord {
    DbRecord record;
    long place;
};

class RecordStore {
public:
    using Item = PlacedRecord;
    explicit RecordStore(const std::vector<DbRecord>& records)
    {
        items_.reserve(records.size());
        for (std::size_t k = 0; k < records.size(); ++k) items_.push_back({records[k], static_cast<long>(k + 1)});
    }
    bool get(long k, PlacedRecord& item) const
    {
        item = items_[static_cast<std::size_t>(k - 1)];
        return true;
    }
    bool put(long k, const PlacedRecord& item)
    {
        items_[static_cast<std::size_t>(k - 1)] = item;
        return true;
    }
    static bool greater(const PlacedRecord& a, const PlacedRecord& b)
    {
        return a.record.number > b.record.number || (a.record.number == b.record.number && a.place > b.place);
    }
    // Record k (from 1) as the sort left it.
    const DbRecord& record(long k) const { return items_[static_cast<std::size_t>(k - 1)].record; }

private:
    std::vector<PlacedRecord> items_;
};

}  // namespace library::detail
