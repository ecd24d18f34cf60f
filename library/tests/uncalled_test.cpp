// The routines no program calls: the in-memory sort and search of keyed records and the angle
// difference of two epochs.
#include <gtest/gtest.h>

#include <ostream>
#include <algorithm>
#include <random>
#include <vector>

#include "library/uncalled.h"

namespace library {
namespace {

struct AngleCase {
    const char* name;
    double SOH1, SOH2, SIH1, SIH2;
    float OM;
};

std::ostream& operator<<(std::ostream& out, const AngleCase& c) { return out << c.name; }

class Angle : public ::testing::TestWithParam<AngleCase> {};

TEST_P(Angle, DifferenceOfTheTwoEpochs)
{
    const auto& c = GetParam();
    float OM = 12345.0f;
    UHEL(c.SOH1, c.SOH2, c.SIH1, c.SIH2, OM);
    EXPECT_EQ(OM, c.OM);
}

// Hand computation: the first angle decides the orientation and the fold past the half circle.
INSTANTIATE_TEST_SUITE_P(Library, Angle,
                         ::testing::Values(AngleCase{"FoldedPastHalfCircle", 100, 3000100, 200, 3000000, -200.0f},
                                           AngleCase{"SecondDirectionSmaller", 500, 100, 520, 110, -10.0f},
                                           AngleCase{"EqualFirstDirections", 100, 100, 300, 250, 50.0f},
                                           AngleCase{"ExactlyHalfCircleNotFolded", 0, 2000000, 0, 2000010, -10.0f},
                                           // 0.1 cc is not a 32-bit number: OM is the 64-bit
                                           // difference rounded once to 32 bits.
                                           AngleCase{"RoundedTo32Bits", 0, 1000.1, 0, 1000, static_cast<float>(1000.1 - 1000.0)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TRID, IntegerKeysTakeTheSecondHalfFirst)
{
    std::int16_t CS[] = {5, 7, 1};
    std::int16_t CC[] = {1, 0, 1};
    double SO[] = {10, 20, 30};
    double SI[] = {-10, -20, -30};
    TRID(CS, CC, 3, SO, SI, 3);
    EXPECT_EQ(std::vector<std::int16_t>(CS, CS + 3), (std::vector<std::int16_t>{7, 1, 5}));
    EXPECT_EQ(std::vector<std::int16_t>(CC, CC + 3), (std::vector<std::int16_t>{0, 1, 1}));
    EXPECT_EQ(std::vector<double>(SO, SO + 3), (std::vector<double>{20, 30, 10}));
    EXPECT_EQ(std::vector<double>(SI, SI + 3), (std::vector<double>{-20, -30, -10}));
}

TEST(TRID, LowHalfComparesUnsignedAndHighHalfSigned)
{
    // Keys: (-1, 0) = 65535, (1, 0) = 1, (0, -1) = -65536, (32767, 0) = 32767.
    std::int16_t CS[] = {-1, 1, 0, 32767};
    std::int16_t CC[] = {0, 0, -1, 0};
    double SO[] = {1, 2, 3, 4}, SI[] = {0, 0, 0, 0};
    TRID(CS, CC, 4, SO, SI, 4);
    EXPECT_EQ(std::vector<double>(SO, SO + 4), (std::vector<double>{3, 2, 4, 1}));
}

TEST(TRID, TextKeysCompareByteByByte)
{
    KeyText CS[] = {{'B', ' ', ' ', ' ', ' ', ' '}, {'A', ' ', ' ', ' ', ' ', ' '}, {'A', ' ', ' ', ' ', ' ', ' '}, {'\xC1', ' ', ' ', ' ', ' ', ' '}};
    KeyText CC[] = {{'1', ' ', ' ', ' ', ' ', ' '}, {'2', ' ', ' ', ' ', ' ', ' '}, {'1', ' ', ' ', ' ', ' ', ' '}, {'0', ' ', ' ', ' ', ' ', ' '}};
    double SO[] = {1, 2, 3, 4}, SI[] = {5, 6, 7, 8};
    TRID(CS, CC, 4, SO, SI, 4);
    // "A 1" < "A 2" < "B 1" < "\xC1 0" (byte 0xC1 above every ASCII letter).
    EXPECT_EQ(std::vector<double>(SO, SO + 4), (std::vector<double>{3, 2, 1, 4}));
    EXPECT_EQ(std::vector<double>(SI, SI + 4), (std::vector<double>{7, 6, 5, 8}));
}

TEST(TRIDAndHLED, RandomKeysAreSortedAndFound)
{
    constexpr unsigned seed = 143;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> half(-300, 300);
    for (int PB : {0, 1, 2, 13, 14, 40, 41, 143}) {
        std::vector<std::int16_t> CS, CC;
        std::vector<double> SO, SI;
        for (int k = 0; k < PB; ++k) {
            CS.push_back(static_cast<std::int16_t>(half(rng)));
            CC.push_back(static_cast<std::int16_t>(half(rng) / 100));
            SO.push_back(CS.back() * 1000.0 + CC.back());  // the values follow their key
            SI.push_back(-SO.back());
        }
        const auto key = [](std::int16_t cs, std::int16_t cc) { return cc * 65536L + static_cast<std::uint16_t>(cs); };
        std::vector<long> expected;
        for (int k = 0; k < PB; ++k) expected.push_back(key(CS[k], CC[k]));
        std::sort(expected.begin(), expected.end());
        TRID(CS.data(), CC.data(), static_cast<Index>(PB), SO.data(), SI.data(), static_cast<Index>(PB));
        for (int k = 0; k < PB; ++k) {
            ASSERT_EQ(key(CS[k], CC[k]), expected[k]) << "PB " << PB;
            ASSERT_EQ(SO[k], CS[k] * 1000.0 + CC[k]);
        }
        for (int k = 0; k < PB; ++k) {
            double SOH = 0, SIH = 0;
            ASSERT_EQ(HLED(CS.data(), CC.data(), static_cast<Index>(PB), SO.data(), SI.data(), CS[k], CC[k], SOH, SIH,
                           static_cast<Index>(PB)),
                      DONE);
            EXPECT_EQ(SOH, CS[k] * 1000.0 + CC[k]);
            EXPECT_EQ(SIH, -SOH);
        }
        double SOH = 7, SIH = 7;
        EXPECT_EQ(HLED(CS.data(), CC.data(), static_cast<Index>(PB), SO.data(), SI.data(), 1000, 9, SOH, SIH,
                       static_cast<Index>(PB)),
                  FAILED);
        EXPECT_EQ(SOH, 7);
    }
}

TEST(HLED, OneEntryAndCapacity)
{
    std::vector<std::int16_t> CS(144), CC(144, 0);
    std::vector<double> SO(144), SI(144);
    for (int k = 0; k < 144; ++k) {
        CS[k] = static_cast<std::int16_t>(k + 1);
        SO[k] = k + 1;
    }
    double SOH = 0, SIH = 0;
    EXPECT_EQ(HLED(CS.data(), CC.data(), 1, SO.data(), SI.data(), 0, 0, SOH, SIH, 144), FAILED);  // smaller key
    EXPECT_EQ(HLED(CS.data(), CC.data(), 1, SO.data(), SI.data(), 1, 0, SOH, SIH, 144), DONE);
    EXPECT_EQ(HLED(CS.data(), CC.data(), 0, SO.data(), SI.data(), 1, 0, SOH, SIH, 144), FAILED);
    EXPECT_EQ(HLED(CS.data(), CC.data(), 143, SO.data(), SI.data(), 143, 0, SOH, SIH, 144), DONE);
    EXPECT_EQ(SOH, 143);
    // 144 entries are beyond the 12-entry table: refused without reading.
    EXPECT_EQ(HLED(CS.data(), CC.data(), 144, SO.data(), SI.data(), 5, 0, SOH, SIH, 144), FAILED);
}

}  // namespace
}  // namespace library
