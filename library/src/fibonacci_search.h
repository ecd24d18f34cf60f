// The Fibonacci search shared by the point database search and the in-memory search of keyed
// records: one probe per step, no division, over entries 1..n sorted in ascending order.
#pragma once

#include <span>

namespace library::detail {

enum class Order { smaller, equal, greater };  // the key sought, compared with the probed entry

struct SearchOutcome {
    bool found;
    long position;  // the entry found, or the last position the search reached (0: none)
};

// `table` holds F(k) - 1 for k = 1, 2, ... (0, 0, 1, 2, 4, 7, ...), F the Fibonacci numbers
// with F(0) = 0, F(1) = F(2) = 1; n above its last entry is outside the search's capacity and
// gives not found without a probe. `probe(i, order)` compares the key with entry i; false
// when the entry cannot be read (the search then ends, not found).
template <class Probe>
SearchOutcome fibonacci_search(long n, std::span<const long> table, Probe probe)
{
    if (n < 1 || n > table.back()) return {false, 0};
    const auto fib = [&](long j) { return j == 0 ? 0 : table[static_cast<std::size_t>(j - 1)] + 1; };
    long k = 1;
    while (table[static_cast<std::size_t>(k - 1)] < n) ++k;  // n >= 1 gives k >= 3

    long i = fib(k - 1);
    long p = fib(k - 2);
    long q = fib(k - 3);
    const long offset = fib(k) - 1 - n;  // shifts the first step up into 1..n
    bool first = true;
    for (;;) {
        Order order{};
        if (!probe(i, order)) return {false, i};
        if (order == Order::equal) return {true, i};
        if (order == Order::smaller) {
            if (q == 0) return {false, i};
            i -= q;
            const long next_q = p - q;
            p = q;
            q = next_q;
        } else {
            if (first) i -= offset;
            if (p == 1) return {false, i};
            i += q;
            p -= q;
            q -= p;
        }
        first = false;
    }
}

}  // namespace library::detail
