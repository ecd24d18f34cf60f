// The Fibonacci search: hand-traced cases over the database file, its capacity, and the whole
// decision tree of the search for many record counts (every probe within 1..n, at most 19
// probes for 10945 records, every sorted key found at its place).
#include <gtest/gtest.h>

#include <ostream>
#include <array>
#include <string>
#include <vector>

#include "db_fixture.h"
#include "fibonacci_search.h"
#include "library/pointdb.h"

namespace library {
namespace {

struct SearchCase {
    const char* name;
    std::vector<std::int16_t> numbers;
    std::int16_t CB;
    Status status;
    Index KF1;  // the record found, or the last position reached
};

std::ostream& operator<<(std::ostream& out, const SearchCase& c) { return out << c.name; }

class Search : public test::DatabaseFile, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(Search, FindsTheRecordOrReportsTheNumber)
{
    const auto& c = GetParam();
    const auto file = test::numbered(c.numbers);
    create(file);
    double X = -1, Y = -1, Z = -1;
    Index KF1 = -5;
    EXPECT_EQ(BHLED(db, static_cast<Index>(c.numbers.size()), c.CB, X, Y, Z, KF1, console), c.status);
    EXPECT_EQ(KF1, c.KF1);
    if (c.status == DONE) {
        const auto& p = file[static_cast<std::size_t>(KF1 - 1)];
        EXPECT_EQ(X, p.x);
        EXPECT_EQ(Y, p.y);
        EXPECT_EQ(Z, p.z);
        EXPECT_EQ(console.screen(), "");
    } else {
        EXPECT_EQ(X, -1);
        EXPECT_EQ(console.screen(), " Hledany bod neni v databazi " + std::string(7 - std::to_string(c.CB).size(), ' ') +
                                        std::to_string(c.CB));
    }
}

// Traced by hand: for PB = 5 the table gives k = 6 (F(6) - 1 = 7), first probe record F(5) = 5,
// p = 3, q = 2, offset 2. Searching 6: record 5 (9), smaller: record 3 (4), greater: record 4
// (7), smaller with q = 0: not found at 4.
INSTANTIATE_TEST_SUITE_P(Library, Search,
                         ::testing::Values(SearchCase{"Seven", {1, 2, 4, 7, 9}, 7, DONE, 4},
                                           SearchCase{"Six", {1, 2, 4, 7, 9}, 6, FAILED, 4},
                                           SearchCase{"First", {1, 2, 4, 7, 9}, 1, DONE, 1},
                                           SearchCase{"Last", {1, 2, 4, 7, 9}, 9, DONE, 5},
                                           SearchCase{"Two", {1, 2, 4, 7, 9}, 2, DONE, 2},
                                           SearchCase{"Four", {1, 2, 4, 7, 9}, 4, DONE, 3},
                                           SearchCase{"BelowAll", {1, 2, 4, 7, 9}, 0, FAILED, 1},
                                           SearchCase{"AboveAll", {1, 2, 4, 7, 9}, 10, FAILED, 5},
                                           SearchCase{"OneRecordFound", {10}, 10, DONE, 1},
                                           SearchCase{"OneRecordSmaller", {10}, 5, FAILED, 1},
                                           SearchCase{"OneRecordGreater", {10}, 12, FAILED, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

class SearchLimits : public test::DatabaseFile {};

TEST_F(SearchLimits, NoRecordsLeavesKF1AndTheValues)
{
    create(test::numbered({3}));
    double X = 1, Y = 2, Z = 3;
    Index KF1 = 9;
    EXPECT_EQ(BHLED(db, 0, 3, X, Y, Z, KF1, console), FAILED);
    EXPECT_EQ(KF1, 9);
    EXPECT_EQ(X, 1);
    EXPECT_EQ(console.screen(), " Hledany bod neni v databazi       3");
}

// More records than the search's table covers: refused without reading, even where the
// number is there, instead of reading past the table.
TEST_F(SearchLimits, MoreThan10945RecordsAreOutsideTheCapacity)
{
    std::vector<std::int16_t> numbers;
    for (int n = 1; n <= 10946; ++n) numbers.push_back(static_cast<std::int16_t>(n));
    create(test::numbered(numbers));
    double X = 1, Y = 2, Z = 3;
    Index KF1 = 9;
    EXPECT_EQ(BHLED(db, 10946, 500, X, Y, Z, KF1, console), FAILED);
    EXPECT_EQ(KF1, 9);
    EXPECT_EQ(BHLED(db, 10945, 10945, X, Y, Z, KF1, console), DONE);
    EXPECT_EQ(KF1, 10945);
}

TEST_F(SearchLimits, PBBeyondTheFileEndsTheSearchNotFound)
{
    create(test::numbered({1, 2, 3}));
    double X = 1, Y = 2, Z = 3;
    Index KF1 = 0;
    EXPECT_EQ(BHLED(db, 7, 3, X, Y, Z, KF1, console), FAILED);  // first probe: record 5, missing
    EXPECT_EQ(X, 1);
}

constexpr std::array<long, 21> table{0,   0,   1,   2,   4,   7,    12,   20,   33,   54,  88,
                                     143, 232, 376, 609, 986, 1596, 2583, 4180, 6764, 10945};

// Walks every path of the search's decision tree for n entries: each probe answered "smaller"
// or "greater" in all combinations ("equal" ends a path at any probe). Returns the largest
// number of probes; fails the test at a probe outside 1..n.
int walk_every_path(long n)
{
    std::vector<bool> path;  // false: smaller, true: greater
    int deepest = 0;
    for (;;) {
        std::size_t depth = 0;
        const auto probe = [&](long i, detail::Order& order) {
            EXPECT_GE(i, 1) << "n " << n;
            EXPECT_LE(i, n) << "n " << n;
            if (depth == path.size()) path.push_back(false);
            order = path[depth++] ? detail::Order::greater : detail::Order::smaller;
            return i >= 1 && i <= n;
        };
        const auto outcome = detail::fibonacci_search(n, table, probe);
        EXPECT_FALSE(outcome.found);
        if (::testing::Test::HasFailure()) return deepest;
        path.resize(depth);
        deepest = std::max(deepest, static_cast<int>(depth));
        while (!path.empty() && path.back()) path.pop_back();
        if (path.empty()) return deepest;
        path.back() = true;
    }
}

TEST(FibonacciSearch, EveryPathStaysWithinTheEntries)
{
    for (long n = 1; n <= 1000; ++n) walk_every_path(n);
    for (long n : {1596L, 2583L, 2584L, 4180L, 6764L, 6765L, 9000L, 10944L}) walk_every_path(n);
    EXPECT_EQ(walk_every_path(10945), 19);
}

TEST(FibonacciSearch, FindsEverySortedKeyAndNoKeyBetween)
{
    for (long n = 1; n <= 400; ++n) {
        for (long key = 1; key <= 2 * n + 1; ++key) {  // entry i holds 2i
            int probes = 0;
            const auto probe = [&](long i, detail::Order& order) {
                ++probes;
                const long entry = 2 * i;
                order = key < entry ? detail::Order::smaller : key == entry ? detail::Order::equal : detail::Order::greater;
                return true;
            };
            const auto outcome = detail::fibonacci_search(n, table, probe);
            ASSERT_EQ(outcome.found, key % 2 == 0) << "n " << n << " key " << key;
            if (outcome.found) {
                ASSERT_EQ(outcome.position, key / 2);
            }
            if (n == 1) {
                ASSERT_EQ(probes, 1) << "one record: one read";
            }
        }
    }
}

}  // namespace
}  // namespace library
