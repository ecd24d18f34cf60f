// The interactive computations of the plane adjustment as a user meets them: the two offers,
// the prompts and their jumps, distances and angles with their standard deviations, points from
// the point database.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "planor_run.h"

namespace {

using namespace planor_e2e;

// The triangle of the failure runs: point 1 fixed (code 6), 2 the azimuth point, 3 free; exact
// observations, a-priori MOO 1 and MCH 2 mm.
const std::string TRIANGLE = plane_input({"1 6 0 0", "2 2 100000 0", "3 0 0 100000"},
                                         {"1 2 0 1", "1 3 1000000 1", "2 3 1500000 1", "2 1 2000000 1",
                                          "3 1 3000000 1", "3 2 3500000 1"},
                                         {"1 2 100000 1", "2 3 141421.356 1", "1 3 100000 1"});

Result dialogue(const testsupport::DataFolder& folder, const std::string& input, const std::string& database,
                const std::string& answers) {
    folder.write("INPUT.TXT", input);
    return run(folder, REPORT + "\nINPUT.TXT\n" + database + "\n" + answers);
}

int count(const std::vector<std::string>& lines, const std::string& text) {
    int n = 0;
    for (const std::string& l : lines) n += l == text;
    return n;
}

const std::string DISTANCE_OFFER = "Chcete provest vypocet delky a jeji stredni chyby mezi body i,j  (y/n)?";
const std::string ANGLE_OFFER = "Vypocet uhlu mezi body j-i-k a jeho stredni chyby (y/n)?";
const std::string PAIR_PROMPT = "Vlozte cisla bodu i,j ? ";
const std::string TRIPLE_PROMPT = "Vlozte cisla bodu j,i,k (j-levy, i-stanovisko, k-pravy)?";

TEST(PlanorDialogue, NoToBothOffersEndsTheRun) {
    testsupport::DataFolder folder;
    const Result r = dialogue(folder, TRIANGLE, "n", "n\nn\n");
    EXPECT_EQ(r.status, 0);
    const int offer = find(r.screen, DISTANCE_OFFER);
    ASSERT_GE(offer, 0);
    EXPECT_EQ(r.screen[offer + 1], ANGLE_OFFER);
    // The end messages with the report name as typed (20 characters), without "F:\".
    EXPECT_EQ(r.screen[offer + 2], "Vysledky vypoctu jsou v souboru :  " + left(REPORT, 20));
    EXPECT_EQ(r.screen[offer + 3], "Tisk na tiskarnu se provede : TYPE " + left(REPORT, 20) + " > LPT1");
    EXPECT_EQ(r.screen.back(), "KONEC");
    EXPECT_EQ(find_start(r.report, " Výpočet"), -1);
}

// Point 1 is fixed, so the distance from it to the database point 50 has only the a-priori
// coordinate variance QCH = MCH^2/MO^2 of both ends: sigma = MCH sqrt(2) = 2.828 mm. The same
// point twice gives no row and no message; a negative number asks whether to end, and "n"
// brings the prompt back.
TEST(PlanorDialogue, DistancesWithADatabasePoint) {
    testsupport::DataFolder folder;
    folder.write("B.DB", db_bytes({{50, 300000.0, 400000.0, 0.0}}));
    const Result r = dialogue(folder, TRIANGLE, "B.DB", "y\n1 50\n2 2\n-3 1\nn\n1 77\n-1 0\ny\nn\n");
    EXPECT_EQ(r.status, 0);
    const int heading = find(r.report, " Výpočet délky a její směrod.odch. ");
    ASSERT_GE(heading, 2);
    EXPECT_EQ(r.report[heading - 2], "");
    EXPECT_EQ(r.report[heading + 1], "");
    EXPECT_EQ(r.report[heading + 2], "   délka mezi             d        směrodat.odch.délky ");
    EXPECT_EQ(r.report[heading + 3], "     body                [mm]             [mm]");
    EXPECT_EQ(r.report[heading + 4], "");
    EXPECT_EQ(r.report[heading + 5], "");
    // d = 500000 mm; positions 3-6, 7-8 " -", 9-12, 21-32, 39-47.
    EXPECT_EQ(r.report[heading + 6], "     1 -  50            500000.0          2.828");
    EXPECT_EQ(static_cast<int>(r.report.size()), heading + 7) << "one row only";
    EXPECT_EQ(count(r.screen, PAIR_PROMPT), 5);
    // 50 is found in the database after the lookup's own line; "2 2" then brings the prompt back
    // with no line between.
    const int first = find(r.screen, PAIR_PROMPT);
    ASSERT_GE(first, 0);
    EXPECT_EQ(r.screen[first + 1], "Procedura CBODU ... Hledane cislo neexistuje     50");
    EXPECT_EQ(r.screen[first + 2], PAIR_PROMPT);
    EXPECT_EQ(r.screen[first + 3], PAIR_PROMPT);
    EXPECT_EQ(count(r.screen, "Chcete opravdu ukoncit vypocet delek? (y/n) "), 2);
    // 77 is neither in the network nor in the database: the lookup's line, the database's line,
    // then the request and the list.
    const int again = find(r.screen, "Znovu zadejte obe cisla bodu.");
    ASSERT_GE(again, 2);
    EXPECT_EQ(r.screen[again - 2], "Procedura CBODU ... Hledane cislo neexistuje     77");
    EXPECT_EQ(r.screen[again + 1], "Cisla bodu jsou:");
    EXPECT_EQ(r.screen[again + 2], "      1      2      3");
    EXPECT_EQ(folder.read("B.DB").size() % 32, 0u);
}

TEST(PlanorDialogue, PointNotFoundWithoutADatabase) {
    testsupport::DataFolder folder;
    const Result r = dialogue(folder, TRIANGLE, "n", "y\n1 50\n");
    const int again = find(r.screen, "Znovu zadejte obe cisla bodu.");
    ASSERT_GE(again, 1);
    EXPECT_EQ(r.screen[again - 1], "Procedura CBODU ... Hledane cislo neexistuje     50");
    EXPECT_EQ(r.screen.back(), "KONEC");
    EXPECT_EQ(r.status, 0);
}

// Angles: a left target at the station (sj = 0) and a target found nowhere ask for all three
// numbers again with the list; the angle 2-1-3 of the triangle is a right angle.
TEST(PlanorDialogue, AnglesAskedAgainAndARightAngle) {
    testsupport::DataFolder folder;
    const Result r = dialogue(folder, TRIANGLE, "n", "n\ny\n1 1 2\n1 2 77\n2 1 3\n-1 0 0\ny\n");
    EXPECT_EQ(r.status, 0);
    const std::vector<std::string> list = {"Znovu zadejte vsechny cisla bodu.", "Cisla bodu jsou:", "      1      2      3",
                                           TRIPLE_PROMPT};
    const int first = find(r.screen, TRIPLE_PROMPT);
    ASSERT_GE(first, 0);
    ASSERT_GE(r.screen.size(), static_cast<std::size_t>(first + 10));
    for (std::size_t k = 0; k < list.size(); ++k) EXPECT_EQ(r.screen[first + 1 + k], list[k]);
    EXPECT_EQ(r.screen[first + 5], "Procedura CBODU ... Hledane cislo neexistuje     77");
    for (std::size_t k = 0; k < list.size(); ++k) EXPECT_EQ(r.screen[first + 6 + k], list[k]);
    const int heading = find(r.report, " Výpočet úhlu a jeho směrodat.odch.");
    ASSERT_GE(heading, 0);
    ASSERT_EQ(r.report.size(), static_cast<std::size_t>(heading + 7)) << "one row only";
    EXPECT_EQ(r.report[heading + 6].substr(0, 32), "     2 -   1 -   3     1000000.0");
}

// A network of 30 points (29 fixed, point 30 determined by two distances and an angle) and an
// angle between three database points, which take the slots 31 to 33. Station 101 with the
// left target 1 m along X and the right target 1 m along Y: 1 000 000 cc; the coefficients are
// RO/1000 in four places, so sigma = MCH sqrt(4 (RO/1000)^2) = 2 MCH RO / 1000 = 2546.479 cc.
TEST(PlanorDialogue, AngleBetweenThreeDatabasePointsBesideThirtyNetworkPoints) {
    testsupport::DataFolder folder;
    std::vector<std::string> points = {"1 6 0 0", "2 6 100000 0"};
    for (int k = 3; k <= 29; ++k) points.push_back(std::to_string(k) + " 6 " + std::to_string(200000 + 10000 * k) + " 500000");
    points.push_back("30 0 0 100000");
    const std::string input = plane_input(points, {"1 2 0 1", "1 30 1000000 1"}, {"1 30 100000 1", "2 30 141421.356 1"});
    folder.write("B.DB", db_bytes({{101, 5000000.0, 5000000.0, 0.0}, {102, 5001000.0, 5000000.0, 0.0},
                                   {103, 5000000.0, 5001000.0, 0.0}}));
    const Result r = dialogue(folder, input, "B.DB", "n\ny\n102 101 103\n-1 0 0\ny\n");
    EXPECT_EQ(r.status, 0);
    const int heading = find(r.report, " Výpočet úhlu a jeho směrodat.odch.");
    ASSERT_GE(heading, 0);
    EXPECT_EQ(r.report[heading + 2], "      Úhel mezi           úhel     směrodat.odch.úhlu ");
    EXPECT_EQ(r.report[heading + 3], "        body              [cc]            [cc]");
    // positions 3-6 j, " -", 9-12 i, " -", 15-18 k, 21-32 the angle, 39-47 sigma
    EXPECT_EQ(r.report[heading + 6], "   102 - 101 - 103     1000000.0       2546.479");
    EXPECT_EQ(count(r.screen, TRIPLE_PROMPT), 2);
    EXPECT_EQ(r.screen.back(), "KONEC");
}

// The console input ends at each question of the dialogue: the run ends as finished, through
// the end messages and the exit block, and the database receives the network's points.
TEST(PlanorDialogue, InputEndingAtEachQuestionEndsTheRunThroughTheExitBlock) {
    struct Case {
        std::string answers;
        std::string last_question;
    };
    const Case cases[] = {
        {"", DISTANCE_OFFER},
        {"y\n", PAIR_PROMPT},
        {"y\n-1 0\n", "Chcete opravdu ukoncit vypocet delek? (y/n) "},
        {"n\n", ANGLE_OFFER},
        {"n\ny\n", TRIPLE_PROMPT},
        {"n\ny\n-1 0 0\n", "Chcete opravdu ukoncit vypocet uhlu? (y/n) "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last_question);
        testsupport::DataFolder folder;
        const Result r = dialogue(folder, TRIANGLE, "B.DB", c.answers);
        EXPECT_EQ(r.status, 0);
        ASSERT_GE(r.screen.size(), 4u);
        EXPECT_EQ(r.screen[r.screen.size() - 4], c.last_question);
        EXPECT_EQ(r.screen[r.screen.size() - 3].rfind("Vysledky vypoctu jsou v souboru :  " + REPORT, 0), 0u);
        EXPECT_EQ(r.screen.back(), "KONEC");
        const std::vector<DbRecord> db = db_records(folder.read("B.DB"));
        ASSERT_EQ(db.size(), 3u);
        EXPECT_EQ(db[0], (DbRecord{1, 0.0, 0.0, 0.0}));
        EXPECT_EQ(db[2].number, 3);
        EXPECT_NEAR(db[2].y, 100000.0, 0.01);
    }
}

}  // namespace
