// Fibonacci search of a point number in the sorted point database.
#include <array>

#include "fibonacci_search.h"
#include "library/pointdb.h"
#include "messages.h"
#include "platform/record.h"

namespace library {

namespace {

// F(k) - 1 for k = 1..21: the search covers at most 10945 records.
constexpr std::array<long, 21> fibonacci_less_one{0,  0,   1,   2,   4,   7,    12,   20,   33,   54,   88,
                                                  143, 232, 376, 609, 986, 1596, 2583, 4180, 6764, 10945};
static_assert(fibonacci_less_one.back() == DB_SEARCH_CAPACITY);

}  // namespace

Status BHLED(PointDatabase& db, Index PB, std::int16_t CB, double& X, double& Y, double& Z,
             Index& KF1, platform::Console& console)
{
    const auto probe = [&](long i, detail::Order& order) {
        DbRecord record;
        if (db.read(i, record) != PointDatabase::ReadResult::ok) return false;
        order = CB < record.number ? detail::Order::smaller
                : CB == record.number ? detail::Order::equal
                                      : detail::Order::greater;
        return true;
    };
    const detail::SearchOutcome outcome = detail::fibonacci_search(PB, fibonacci_less_one, probe);
    if (outcome.position > 0) KF1 = static_cast<Index>(outcome.position);
    if (outcome.found) {
        DbRecord record;
        if (db.read(outcome.position, record) == PointDatabase::ReadResult::ok) {
            X = record.x;
            Y = record.y;
            Z = record.z;
            return DONE;
        }
    }
    console.say(platform::Record().text(messages::db_point_missing).item(CB));
    return FAILED;
}

}  // namespace library
