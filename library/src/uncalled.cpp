// The in-memory sort and search of keyed records and the angle difference of two epochs.
#include "library/uncalled.h"

#include <array>
#include <cstring>

#include "fibonacci_search.h"
#include "library/shell_sort.h"

namespace library {

namespace {

// The 32-bit key of an integer entry: CC the high half, CS the low half taken unsigned, so CC
// decides first and CS then as a number 0..65535.
std::int32_t integer_key(std::int16_t CS, std::int16_t CC)
{
    return static_cast<std::int32_t>(CC) * 65536 + static_cast<std::uint16_t>(CS);
}

// Entries 1..PB of the four parallel arrays as one store for the shared Shell sort.
template <class Half, class Less>
class KeyedArrays {
public:
    struct Item {
        Half cs, cc;
        double so, si;
    };
    KeyedArrays(Half* CS, Half* CC, double* SO, double* SI) : CS_(CS), CC_(CC), SO_(SO), SI_(SI) {}
    bool get(long k, Item& item)
    {
        const auto n = static_cast<std::size_t>(k - 1);
        item = Item{CS_[n], CC_[n], SO_[n], SI_[n]};
        return true;
    }
    bool put(long k, const Item& item)
    {
        const auto n = static_cast<std::size_t>(k - 1);
        CS_[n] = item.cs;
        CC_[n] = item.cc;
        SO_[n] = item.so;
        SI_[n] = item.si;
        return true;
    }
    static bool greater(const Item& a, const Item& b) { return Less{}(b, a); }

private:
    Half* CS_;
    Half* CC_;
    double* SO_;
    double* SI_;
};

struct IntegerKeyLess {
    template <class Item>
    bool operator()(const Item& a, const Item& b) const
    {
        return integer_key(a.cs, a.cc) < integer_key(b.cs, b.cc);
    }
};

// The 12-character text CS followed by CC, compared character by character by byte value
// (memcmp compares as unsigned char).
struct TextKeyLess {
    template <class Item>
    bool operator()(const Item& a, const Item& b) const
    {
        const int first = std::memcmp(a.cs.data(), b.cs.data(), a.cs.size());
        if (first != 0) return first < 0;
        return std::memcmp(a.cc.data(), b.cc.data(), a.cc.size()) < 0;
    }
};

// F(k) - 1 for k = 1..12: the in-memory search covers at most 143 entries.
constexpr std::array<long, 12> fibonacci_less_one{0, 0, 1, 2, 4, 7, 12, 20, 33, 54, 88, 143};

// Half circle and full circle [cc].
constexpr double half_circle = 2000000.0;
constexpr double full_circle = 4000000.0;

}  // namespace

void TRID(std::int16_t* CS, std::int16_t* CC, Index PB, double* SO, double* SI, Index /*I1*/)
{
    KeyedArrays<std::int16_t, IntegerKeyLess> store(CS, CC, SO, SI);
    shell_sort(store, PB);
}

void TRID(KeyText* CS, KeyText* CC, Index PB, double* SO, double* SI, Index /*I1*/)
{
    KeyedArrays<KeyText, TextKeyLess> store(CS, CC, SO, SI);
    shell_sort(store, PB);
}

Status HLED(const std::int16_t* CS, const std::int16_t* CC, Index PB, const double* SO,
            const double* SI, std::int16_t CSH, std::int16_t CCH, double& SOH, double& SIH, Index /*I1*/)
{
    const std::int32_t sought = integer_key(CSH, CCH);
    const auto probe = [&](long i, detail::Order& order) {
        const auto n = static_cast<std::size_t>(i - 1);
        const std::int32_t key = integer_key(CS[n], CC[n]);
        order = sought < key ? detail::Order::smaller
                : sought == key ? detail::Order::equal
                                : detail::Order::greater;
        return true;
    };
    const detail::SearchOutcome outcome = detail::fibonacci_search(PB, fibonacci_less_one, probe);
    if (!outcome.found) return FAILED;
    SOH = SO[outcome.position - 1];
    SIH = SI[outcome.position - 1];
    return DONE;
}

void UHEL(double SOH1, double SOH2, double SIH1, double SIH2, float& OM)
{
    double OM1 = 0.0;
    double OM2 = 0.0;
    if (SOH2 < SOH1) {
        OM1 = SOH1 - SOH2;
        OM2 = SIH1 - SIH2;
    } else {
        OM1 = SOH2 - SOH1;
        OM2 = SIH2 - SIH1;
    }
    if (OM1 > half_circle) {
        OM1 = full_circle - OM1;
        OM2 = full_circle - OM2;
    }
    OM = static_cast<float>(OM1 - OM2);
}

}  // namespace library
