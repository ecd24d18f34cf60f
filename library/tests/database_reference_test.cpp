// The database routines, which work on the records in memory, leave the same file bytes as the
// straightforward algorithms that read and write the file one record at a time. The reference
// below is test-only code written from the record-by-record description: a count up to the
// first 99, Shell-sort passes with the gaps ..., 13, 4, 1 whose moving record goes down its
// chain past every strictly greater number (an equal number stays behind a record that came
// before it in the file), the cleaning that marks each repeat 9999 with zeros, and the append.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "db_fixture.h"
#include "library/pointdb.h"

namespace library {
namespace {

using test::Point;

// One record read from or written to the file at position k (from 1), 32 bytes at a time.
struct RecordFile {
    int fd;
    bool get(long k, Point& p) const
    {
        std::string bytes(32, '\0');
        if (::pread(fd, bytes.data(), 32, (k - 1) * 32) != 32) return false;
        p = test::point_from(bytes, 0);
        return true;
    }
    void put(long k, const Point& p) const
    {
        const std::string bytes = test::record_bytes(p);
        ASSERT_EQ(::pwrite(fd, bytes.data(), 32, (k - 1) * 32), 32);
    }
};

long reference_count(const RecordFile& f)
{
    long n = 0;
    Point p{};
    while (f.get(n + 1, p) && p.number != 99) ++n;
    return n;
}

// The sort, record by record. `place[k]` is where record k stood in the file when the sort
// began; it travels with its record and decides between equal numbers.
long reference_sort(const RecordFile& f)
{
    const long n = reference_count(f);
    std::vector<long> place(static_cast<std::size_t>(n + 1));
    for (long k = 1; k <= n; ++k) place[static_cast<std::size_t>(k)] = k;
    long h = 1;
    std::vector<long> gaps;
    for (long t = 1; h < n || t < 2; ++t) {  // h(t) for t = 1, 2, ... up to the first h(t) >= n, t >= 2
        gaps.push_back(h);
        h = 3 * h + 1;
    }
    // The passes use h(t-2), ..., h(1): the gaps below the last two.
    if (n >= 2) gaps.resize(gaps.size() >= 2 ? gaps.size() - 1 : 1);
    else gaps.clear();
    for (auto g = gaps.rbegin(); g != gaps.rend(); ++g) {
        const long H = *g;
        for (long J = H + 1; J <= n; ++J) {
            Point moving{};
            f.get(J, moving);
            const long moving_place = place[static_cast<std::size_t>(J)];
            long I = J - H;
            for (;;) {
                Point other{};
                f.get(I, other);
                const long other_place = place[static_cast<std::size_t>(I)];
                const bool greater = other.number > moving.number || (other.number == moving.number && other_place > moving_place);
                if (!greater) break;
                f.put(I + H, other);
                place[static_cast<std::size_t>(I + H)] = other_place;
                I -= H;
                if (I <= 0) break;
            }
            f.put(I + H, moving);
            place[static_cast<std::size_t>(I + H)] = moving_place;
        }
    }
    return n;
}

// The cleaning, record by record; the number of deletions, -1 when the file ended early.
long reference_clean(const RecordFile& f, long& PB)
{
    Point p{};
    if (!f.get(1, p)) return -1;
    std::int16_t current = p.number;
    long deleted = 0;
    for (long J = 2; J <= PB; ++J) {
        if (!f.get(J, p)) return -1;
        if (p.number == 9999) continue;
        if (p.number != current) {
            current = p.number;
            continue;
        }
        f.put(J, Point{9999, 0.0, 0.0, 0.0});
        ++deleted;
    }
    if (deleted > 0) return deleted;
    long counted = 0;
    for (long J = 1; J <= PB; ++J) {
        if (!f.get(J, p)) return -1;
        if (p.number >= 9999) break;
        ++counted;
    }
    PB = counted;
    return 0;
}

enum class Kind { shuffled, sorted, repeats, deleted_rich };

// n records of the kind; X unique per record so that equal numbers can be told apart.
std::vector<Point> database(Kind kind, int n, std::mt19937& rng)
{
    std::vector<Point> points;
    std::uniform_int_distribution<int> small(1, std::max(2, n / 4));
    std::uniform_real_distribution<double> value(-1e7, 1e7);
    for (int k = 1; k <= n; ++k) {
        int number = k < 99 ? k : k + 1;  // 99 would end the count
        if (kind == Kind::repeats) number = small(rng) == 99 ? 98 : small(rng);
        if (kind == Kind::deleted_rich && k % 3 == 0) number = 9999;
        const double y = value(rng);
        points.push_back({static_cast<std::int16_t>(number), 1000.0 + k, y, kind == Kind::deleted_rich ? y : 0.0});
    }
    if (kind != Kind::sorted) std::shuffle(points.begin(), points.end(), rng);
    return points;
}

class Reference : public test::DatabaseFile {};

// Open the database (sort, clean, sort), append a run's points (some repeating known numbers),
// and put it in order again: after every routine the two files hold the same bytes.
TEST_F(Reference, SameFileBytesAsTheRecordByRecordAlgorithms)
{
    constexpr unsigned seed = 2104;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    const auto reference_path = folder / "REFERENCE.DAT";
    for (const Kind kind : {Kind::shuffled, Kind::sorted, Kind::repeats, Kind::deleted_rich}) {
        for (const int n : {0, 1, 2, 13, 14, 40, 41, 121, 122, 364, 365, 1093, 1094}) {
            SCOPED_TRACE(::testing::Message() << "kind " << static_cast<int>(kind) << ", " << n << " records");
            const auto points = database(kind, n, rng);
            db.close();
            create(points);
            std::string content;
            for (const auto& p : points) content += test::record_bytes(p);
            { std::ofstream(reference_path, std::ios::binary) << content; }
            const int fd = ::open(reference_path.c_str(), O_RDWR);
            ASSERT_GE(fd, 0);
            const RecordFile ref{fd};
            const auto same_bytes = [&] {
                std::ifstream in(reference_path, std::ios::binary);
                return bytes() == std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            };

            Index PB = 0;
            long ref_PB = 0;
            // BTRID, BSINGL (when there are records), BTRID on both files, compared after each.
            const auto put_in_order = [&](const char* when) {
                ref_PB = reference_sort(ref);
                ASSERT_EQ(BTRID(db, PB, console), DONE);
                ASSERT_EQ(PB, ref_PB);
                ASSERT_TRUE(same_bytes()) << "after the first sort " << when;
                if (PB > 0) {
                    const long ref_deleted = reference_clean(ref, ref_PB);
                    EXPECT_EQ(BSINGL(db, PB, console), ref_deleted >= 0 ? DONE : FAILED);
                    ASSERT_EQ(PB, ref_PB);
                    ASSERT_TRUE(same_bytes()) << "after the cleaning " << when;
                }
                ref_PB = reference_sort(ref);
                ASSERT_EQ(BTRID(db, PB, console), DONE);
                ASSERT_EQ(PB, ref_PB);
                ASSERT_TRUE(same_bytes()) << "after the second sort " << when;
            };
            put_in_order("at the opening");
            // A run of 30 points: every third repeats a number that may be in the database.
            for (int k = 1; k <= 30; ++k) {
                const auto number = static_cast<std::int16_t>(k % 3 == 0 ? 1 + (k * 37) % std::max(n, 1) : 5000 + k);
                const Point p{number == 99 ? std::int16_t{98} : number, -5.0 * k, 7.0 * k, 0.0};
                ASSERT_EQ(BULOZ(db, PB, p.number, p.x, p.y, p.z), DONE);
                ++ref_PB;
                ref.put(ref_PB, p);
            }
            ASSERT_TRUE(same_bytes()) << "after the appends";
            put_in_order("of the appended points");
            ::close(fd);
        }
    }
}

}  // namespace
}  // namespace library
