// The report's opening blocks against their layouts: positions counted in characters from 1.
#include "adjustment/opening_report.h"

#include <gtest/gtest.h>

#include "adjustment/network.h"
#include "adjustment/placement.h"
#include "test_profile.h"
#include "testsupport/runner.h"

using testsupport::chars;
using testsupport::columns;

TEST(OpeningReport, HeaderCarriesDateAndTimeWithBlankPaddedDigits) {
    platform::StringSink out;
    adjustment::write_report_header(test_profile(), platform::DateTime{3, 1, 2027, 9, 5, 7}, out);
    ASSERT_EQ(out.lines.size(), 3u);
    const std::string& h = out.lines[0];
    EXPECT_EQ(chars(h), 72);
    EXPECT_EQ(columns(h, 1, 46), " TERVAL 3.07 Prostorová síť   Ostrel   Datum: ");
    EXPECT_EQ(columns(h, 47, 10), " 3. 1.2027");
    EXPECT_EQ(columns(h, 57, 8), "   Čas: ");
    EXPECT_EQ(columns(h, 65, 8), " 9: 5: 7");
    EXPECT_EQ(out.lines[1], "");
    EXPECT_EQ(out.lines[2], "");
}

TEST(OpeningReport, AprioriBlockPadsTheTitleAndOverflowsToAsterisks) {
    adjustment::Network net(test_profile().cap);
    net.ZAH = std::string("Sit 1") + std::string(75, ' ');
    net.UU = 10000.0f;
    net.UD = 2.25f;
    net.UZ = 5.0f;
    net.MOO = 1.0f;
    net.MCH = 0.05;
    platform::StringSink out;
    adjustment::write_apriori_block(test_profile(), net, out);
    ASSERT_EQ(out.lines.size(), 8u);
    EXPECT_EQ(chars(out.lines[0]), 87);
    EXPECT_EQ(columns(out.lines[0], 1, 12), " Akce: Sit 1");
    EXPECT_EQ(out.lines[1], "");
    EXPECT_EQ(columns(out.lines[2], 41, 6), "******");
    EXPECT_EQ(columns(out.lines[3], 41, 6), "   2.3");  // 2.25 is exact: half away from zero
    EXPECT_EQ(columns(out.lines[4], 1, 40), " směrodatná odchylka zen.úhlu     [cc] =");
    EXPECT_EQ(columns(out.lines[6], 41, 6), "   0.1");
    EXPECT_EQ(out.lines[7], "");
}

TEST(OpeningReport, CoordinateTableColumnsAndConditionTexts) {
    adjustment::Network net(test_profile().cap);
    net.IB = 3;
    const std::int16_t numbers[] = {0, 12, 4501, 7};
    const std::int16_t codes[] = {0, -7, 0, 9};
    for (int i = 1; i <= 3; ++i) {
        net.IN[i] = numbers[i];
        net.KOD1[i] = codes[i];
        net.XO[i] = 1234567.84;
        net.YO[i] = -765.45;
        net.ZO[i] = 300000.06;
    }
    platform::StringSink out;
    adjustment::write_input_coordinates(test_profile(), net, out);
    ASSERT_EQ(out.lines.size(), 5u);
    EXPECT_EQ(out.lines[0], " S o u ř a d n i c e");
    const std::string& head = out.lines[1];
    EXPECT_EQ(columns(head, 1, 11), " Číslo bodu");
    EXPECT_EQ(columns(head, 20, 1), "X");
    EXPECT_EQ(columns(head, 35, 1), "Y");
    EXPECT_EQ(columns(head, 46, 1), "Z");
    EXPECT_EQ(columns(head, 56, 3), "kod");
    EXPECT_EQ(columns(head, 59, 20), "   podmínky umístění");
    const std::string& row = out.lines[2];
    EXPECT_EQ(chars(row), 76);
    EXPECT_EQ(columns(row, 1, 8), "      12");
    EXPECT_EQ(columns(row, 13, 12), "   1234567.8");
    EXPECT_EQ(columns(row, 28, 12), "      -765.5");  // -765.45 lies just beyond the half
    EXPECT_EQ(columns(row, 40, 12), "    300000.1");
    EXPECT_EQ(columns(row, 55, 4), "  -7");
    EXPECT_EQ(columns(row, 63, 14), "dx=0,dy=0,dz=0");
    EXPECT_EQ(columns(out.lines[3], 63, 14), std::string(14, ' '));  // code 0
    EXPECT_EQ(columns(out.lines[4], 55, 4), "   9");
    EXPECT_EQ(columns(out.lines[4], 63, 14), std::string(14, ' '));  // no text for 8 and above
}

TEST(Placement, ConditionTextsIgnoreTheSign) {
    EXPECT_EQ(adjustment::placement_text(2), "směr");
    EXPECT_EQ(adjustment::placement_text(-3), "Helmert");
    EXPECT_EQ(adjustment::placement_text(4), "dx=0,dy=0");
    EXPECT_EQ(adjustment::placement_text(-5), "dy=0,dz=0");
    EXPECT_EQ(adjustment::placement_text(6), "dx=0,dz=0");
    EXPECT_EQ(adjustment::placement_text(1), "");
    EXPECT_EQ(adjustment::placement_text(8), "");
}
