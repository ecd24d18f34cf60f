// Sorting, cleaning and searching stay correct on files of random records with repeated
// numbers: no record is lost, each number stays once, and the search finds every number.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "db_fixture.h"
#include "library/pointdb.h"

namespace library {
namespace {

using test::Point;

// Random numbers 1..range (never 99 or 9999), X unique per record so that records can be told
// apart, Y from the number.
std::vector<Point> random_points(std::mt19937& rng, int count, int range)
{
    std::uniform_int_distribution<int> number(1, range);
    std::vector<Point> points;
    for (int k = 1; k <= count; ++k) {
        int n = number(rng);
        if (n == 99) n = 98;
        points.push_back({static_cast<std::int16_t>(n), 1000.0 + k, 2.0 * n, 0.0});
    }
    return points;
}

bool same_records(std::vector<Point> a, std::vector<Point> b)
{
    const auto by_x = [](const Point& p, const Point& q) { return p.x < q.x; };
    std::sort(a.begin(), a.end(), by_x);
    std::sort(b.begin(), b.end(), by_x);
    return a == b;
}

class Bulk : public test::DatabaseFile {};

// Up to 13 records the sort makes the pass with gap 1 only, which keeps equal numbers in file
// order: the cleaning then keeps the first of each run as the file had it.
TEST_F(Bulk, WithGapOneAloneTheFirstRecordOfEachNumberInFileOrderStays)
{
    constexpr unsigned seed = 1301;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    for (int round = 0; round < 30; ++round) {
        const int count = 2 + round % 12;
        const auto original = random_points(rng, count, 4);
        db.close();
        create(original);
        Index PB = 0;
        ASSERT_EQ(BTRID(db, PB, console), DONE);
        ASSERT_EQ(BSINGL(db, PB, console), DONE);
        std::map<int, double> first_x;  // number -> X of its first record in file order
        for (const auto& p : original) first_x.emplace(p.number, p.x);
        std::map<int, double> kept;
        for (const auto& p : points())
            if (p.number != 9999) {
                EXPECT_TRUE(kept.emplace(p.number, p.x).second) << "number " << p.number << " kept twice";
            }
        EXPECT_EQ(kept, first_x) << "round " << round;
    }
}

// With larger gaps too: whatever the size, the record that came first in the file is the one
// that stays (a known point is never replaced by a run's record of the same number).
TEST_F(Bulk, AtEverySizeTheFirstRecordOfEachNumberInFileOrderStays)
{
    constexpr unsigned seed = 1402;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    for (const int count : {14, 27, 40, 41, 100, 121, 122, 364, 365}) {
        const auto original = random_points(rng, count, count / 3);
        db.close();
        create(original);
        Index PB = 0;
        ASSERT_EQ(BTRID(db, PB, console), DONE);
        ASSERT_EQ(BSINGL(db, PB, console), DONE);
        std::map<int, double> first_x;
        for (const auto& p : original) first_x.emplace(p.number, p.x);
        std::map<int, double> kept;
        for (const auto& p : points()) {
            if (p.number == 9999) continue;
            EXPECT_TRUE(kept.emplace(p.number, p.x).second) << "number " << p.number << " kept twice";
        }
        EXPECT_EQ(kept, first_x) << count << " records";
    }
}

TEST_F(Bulk, ThousandsOfRecordsWithRepeats)
{
    constexpr unsigned seed = 31337;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    const auto original = random_points(rng, 3000, 1500);
    create(original);

    Index PB = 0;
    ASSERT_EQ(BTRID(db, PB, console), DONE);
    ASSERT_EQ(PB, 3000);
    auto sorted = points();
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), [](auto& p, auto& q) { return p.number < q.number; }));
    EXPECT_TRUE(same_records(sorted, original)) << "a record was lost or changed by the sort";

    ASSERT_EQ(BSINGL(db, PB, console), DONE);
    std::map<int, int> occurrences;
    for (const auto& p : original) ++occurrences[p.number];
    const int distinct = static_cast<int>(occurrences.size());
    const auto cleaned = points();
    const auto deleted = std::count_if(cleaned.begin(), cleaned.end(), [](auto& p) { return p.number == 9999; });
    EXPECT_EQ(deleted, 3000 - distinct);

    ASSERT_EQ(BTRID(db, PB, console), DONE);
    EXPECT_EQ(PB, 3000);  // the second count takes the deleted records along
    const auto final_points = points();
    std::set<int> seen;
    for (int k = 0; k < 3000; ++k) {
        const auto& p = final_points[static_cast<std::size_t>(k)];
        if (k < distinct) {
            EXPECT_TRUE(seen.insert(p.number).second) << "number " << p.number << " twice";
            EXPECT_EQ(p.y, 2.0 * p.number);
            EXPECT_TRUE(std::any_of(original.begin(), original.end(), [&](auto& q) { return q == p; }));
        } else {
            EXPECT_EQ(p, (Point{9999, 0.0, 0.0, 0.0}));
        }
    }
    EXPECT_EQ(static_cast<int>(seen.size()), distinct);

    for (int n = 0; n <= 1501; ++n) {
        double X = -1, Y = -1, Z = -1;
        Index KF1 = 0;
        const Status status = BHLED(db, PB, static_cast<std::int16_t>(n), X, Y, Z, KF1, console);
        if (occurrences.count(n) != 0) {
            ASSERT_EQ(status, DONE) << n;
            EXPECT_EQ(final_points[static_cast<std::size_t>(KF1 - 1)].number, n);
            EXPECT_EQ(Y, 2.0 * n);
        } else {
            ASSERT_EQ(status, FAILED) << n;
            EXPECT_EQ(X, -1);
        }
    }

    ASSERT_EQ(BSINGL(db, PB, console), DONE);  // nothing left to delete: PB = the numbers kept
    EXPECT_EQ(PB, distinct);
}

}  // namespace
}  // namespace library
