// The shared Shell sort: the choice of gaps, and what a read or write failing at any point
// leaves in the store.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "library/shell_sort.h"

namespace library {
namespace {

struct GapCase {
    long n;
    long first_gap;
};

TEST(ShellSort, FirstGapFollowsTheCount)
{
    // 2..13 gap 1 only, 14..40 from 4, 41..121 from 13, 122..364 from 40, ...
    const GapCase cases[] = {{-1, 0}, {0, 0},   {1, 0},    {2, 1},      {4, 1},      {5, 1},     {13, 1},
                             {14, 4}, {40, 4},  {41, 13},  {121, 13},   {122, 40},   {364, 40},  {365, 121},
                             {3280, 364},       {3281, 1093}, {9841, 1093}, {9842, 3280}, {29524, 3280},
                             {29525, 9841},     {32767, 9841}};
    for (const auto& c : cases) EXPECT_EQ(first_gap(c.n), c.first_gap) << "n " << c.n;
}

// Entries in memory whose `fail_at`-th get (a record that cannot be read) or put (a record
// that cannot be written) fails, the accesses after it working again.
struct FailingStore {
    using Item = int;
    std::vector<int> entries;  // entry k at entries[k - 1]
    long fail_at;
    bool fail_puts;
    long gets = 0, puts = 0;
    bool get(long k, int& item)
    {
        if (++gets == fail_at && !fail_puts) return false;
        item = entries[static_cast<std::size_t>(k - 1)];
        return true;
    }
    bool put(long k, const int& item)
    {
        if (++puts == fail_at && fail_puts) return false;
        entries[static_cast<std::size_t>(k - 1)] = item;
        return true;
    }
    static bool greater(int a, int b) { return a / 10 > b / 10; }  // sorts by tens: equal keys
};

TEST(ShellSort, AFailedAccessLosesAtMostTheEntryWhoseWriteFailed)
{
    constexpr unsigned seed = 2718;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    for (int n : {2, 13, 14, 45}) {
        std::vector<int> entries(static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k) entries[static_cast<std::size_t>(k)] = static_cast<int>(rng() % 100) * 10 + k % 10;
        FailingStore whole{entries, 0, false};
        ASSERT_TRUE(shell_sort(whole, n));
        EXPECT_TRUE(std::is_sorted(whole.entries.begin(), whole.entries.end(), [](int a, int b) { return a / 10 < b / 10; }));
        auto original = entries;
        std::sort(original.begin(), original.end());
        for (long fail_at = 1; fail_at <= whole.gets; ++fail_at) {
            FailingStore store{entries, fail_at, false};
            ASSERT_FALSE(shell_sort(store, n));
            auto held = store.entries;
            std::sort(held.begin(), held.end());
            ASSERT_EQ(held, original) << "n " << n << " read failing at " << fail_at;
        }
        // A failed write of a neighbour still leaves every entry once; only where the write of
        // the moving entry itself fails is that one entry lost (its place holds a copy).
        for (long fail_at = 1; fail_at <= whole.puts; ++fail_at) {
            FailingStore store{entries, fail_at, true};
            ASSERT_FALSE(shell_sort(store, n));
            auto held = store.entries;
            std::sort(held.begin(), held.end());
            std::vector<int> missing;
            std::set_difference(original.begin(), original.end(), held.begin(), held.end(), std::back_inserter(missing));
            ASSERT_LE(missing.size(), 1u) << "n " << n << " write failing at " << fail_at;
        }
    }
}

}  // namespace
}  // namespace library
