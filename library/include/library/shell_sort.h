// The Shell sort of the library: gaps 1, 4, 13, 40, ... (h = 3h + 1), each pass a straight
// insertion. The point database sorts its file records with it, the uncalled routines their
// arrays, and the deformation programs their lists of normalised displacements.
#pragma once

namespace library {

// The first (largest) gap for n entries: with t the smallest index of at least 2 whose gap
// h(t) is n or more, the passes use h(t-2), h(t-3), ..., h(1), and at least h(1) = 1 when
// n >= 2. 0 when n <= 1 (no pass).
inline long first_gap(long n)
{
    if (n < 2) return 0;
    long older = 0;  // h(t-2)
    long previous = 1;  // h(t-1)
    long current = 4;   // h(t), t = 2
    while (current < n) {
        older = previous;
        previous = current;
        current = 3 * current + 1;
    }
    return older > 0 ? older : 1;
}

// Sorts entries 1..n of the store into ascending order. The store gives
//   bool get(long k, Item&), bool put(long k, const Item&), static bool greater(a, b).
// Each pass with gap H takes the entries J = H+1..n in turn as the moving entry and moves the
// entries of its chain (J-H, J-2H, ...) that are strictly greater one gap up, then puts the
// moving entry into the place left free; entries of one chain that are equal keep their order
// within the pass (a larger gap may still reorder equal entries of different chains).
// When a get or put fails the moving entry is still put into the place left free, so that the
// store holds every entry once, and the sort stops with false. (Only if that last put fails as
// well is the moving entry lost, the place left free holding a copy of its neighbour.)
template <class Store>
bool shell_sort(Store& store, long n)
{
    using Item = typename Store::Item;
    for (long H = first_gap(n); H >= 1; H = (H - 1) / 3) {
        for (long J = H + 1; J <= n; ++J) {
            Item moving{};
            if (!store.get(J, moving)) return false;
            long I = J - H;
            bool intact = true;
            for (;;) {
                Item other{};
                if (!store.get(I, other)) {
                    intact = false;
                    break;
                }
                if (!Store::greater(other, moving)) break;
                if (!store.put(I + H, other)) {
                    intact = false;
                    break;
                }
                I -= H;
                if (I <= 0) break;
            }
            const bool placed = store.put(I + H, moving);
            if (!placed || !intact) return false;
        }
    }
    return true;
}

}  // namespace library
