// Networks that fix the datum and have rows enough, yet leave one point, or a pair, partly free:
// the normal matrix is singular although rounding may keep every pivot from being exactly zero.
// Every console program of the suite (each build) must take its path for a normal matrix that
// cannot be inverted: its three lines, the exit block, status 1, no result table in the report,
// and a point database left as it was.
//
// The networks are written here from true coordinates: a well determined quadrilateral 1-2-3-4
// (point 1 fixed, point 2 the azimuth point, directions at every station to the three others, a
// zenith angle and a distance between every pair; also in the national grid, and there also as a
// free network) and one of the shapes of local freedom:
//  - plane: point 9 seen by one distance from 1 (a circle about 1), point 9 seen by one direction
//    from 1 (a ray from 1), points 8 and 9 seen only from each other by one distance;
//  - space: point 9 seen by one zenith angle and one slope distance from 1 (a horizontal circle
//    about 1), point 9 seen by one direction and one zenith angle from 1 (a ray from 1), points 8
//    and 9 seen only from each other (zenith angles both ways and a slope distance).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "testsupport/runner.h"

namespace {

struct Truth {
    int number;
    double x, y, z;  // [mm]
};
const Truth POINTS[] = {
    {1, 0, 0, 300000},           {2, 100000, 0, 310000},     {3, 0, 100000, 305000},
    {4, 100000, 100000, 298000}, {8, -60000, 150000, 302000}, {9, -50000, -150000, 295000},
};
const int QUADRILATERAL[] = {1, 2, 3, 4};

const Truth& point(int number) {
    for (const Truth& p : POINTS)
        if (p.number == number) return p;
    throw std::logic_error("no such point");
}

constexpr double CC_PER_RADIAN = 4e6 / (2 * 3.14159265358979323846);  // 400 gon = 4 000 000 cc

double bearing(int from, int to) {
    const Truth &a = point(from), &b = point(to);
    double t = std::atan2(b.y - a.y, b.x - a.x);
    if (t < 0) t += 2 * 3.14159265358979323846;
    return t * CC_PER_RADIAN;
}
double horizontal(int from, int to) {
    const Truth &a = point(from), &b = point(to);
    return std::hypot(b.x - a.x, b.y - a.y);
}
double slope(int from, int to) { return std::hypot(horizontal(from, to), point(to).z - point(from).z); }
double zenith(int from, int to) { return std::atan2(horizontal(from, to), point(to).z - point(from).z) * CC_PER_RADIAN; }

enum class Shape { one_distance, one_direction, zenith_and_distance, direction_and_zenith, pair_alone };

struct Form {
    int dimension;  // 2: plane, 3: space
    bool two_epochs;
};

// One observation record: station, target, the value (twice with two epochs), weight 1.
std::string record(const Form& f, int from, int to, double value) {
    char text[96];
    if (f.two_epochs) std::snprintf(text, sizeof text, "%d %d %.3f %.3f 1\n", from, to, value, value);
    else std::snprintf(text, sizeof text, "%d %d %.3f 1\n", from, to, value);
    return text;
}

// Where the network lies and what fixes its datum: the coordinates as given, or moved into the
// national grid (about 1,100 km and 700 km in mm), with point 1 fixed and point 2 the azimuth
// point, or every point of the network free (code 3).
struct Placement {
    const char* what;
    double X0, Y0;
    bool free_datum;
};
const Placement PLACEMENTS[] = {
    {"fixed datum", 0, 0, false},
    {"fixed datum in the national grid", 1100000000.0, 700000000.0, false},
    {"free datum in the national grid", 1100000000.0, 700000000.0, true},
};

std::string network(const Form& f, Shape shape, const Placement& at = PLACEMENTS[0]) {
    std::vector<int> numbers(std::begin(QUADRILATERAL), std::end(QUADRILATERAL));
    if (shape == Shape::pair_alone) numbers.push_back(8);
    numbers.push_back(9);
    std::string text = "'volny bod'\n";
    text += f.dimension == 2 ? "1 1 1 0\n" : "1 1 1 1 0\n";
    for (int n : numbers) {
        const Truth& p = point(n);
        const int code = at.free_datum ? 3 : n == 1 ? (f.dimension == 2 ? 6 : 7) : n == 2 ? 2 : 0;
        char line[96];
        const double x = p.x + at.X0, y = p.y + at.Y0;
        if (f.dimension == 2) std::snprintf(line, sizeof line, "%d %d %.1f %.1f\n", n, code, x, y);
        else std::snprintf(line, sizeof line, "%d %d %.1f %.1f %.1f\n", n, code, x, y, p.z);
        text += line;
    }
    text += "-1\n";
    const bool ray = shape == Shape::one_direction || shape == Shape::direction_and_zenith;
    for (int s : QUADRILATERAL) {
        for (int t : QUADRILATERAL)
            if (t != s) text += record(f, s, t, bearing(s, t));
        if (s == 1 && ray) text += record(f, 1, 9, bearing(1, 9));
    }
    text += "-1\n";
    if (f.dimension == 3) {
        for (int i = 0; i < 4; ++i)
            for (int j = i + 1; j < 4; ++j) text += record(f, QUADRILATERAL[i], QUADRILATERAL[j], zenith(QUADRILATERAL[i], QUADRILATERAL[j]));
        if (shape == Shape::zenith_and_distance || shape == Shape::direction_and_zenith) text += record(f, 1, 9, zenith(1, 9));
        if (shape == Shape::pair_alone) text += record(f, 8, 9, zenith(8, 9)) + record(f, 9, 8, zenith(9, 8));
        text += "-1\n";
    }
    const auto distance = [&](int a, int b) { return f.dimension == 2 ? horizontal(a, b) : slope(a, b); };
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) text += record(f, QUADRILATERAL[i], QUADRILATERAL[j], distance(QUADRILATERAL[i], QUADRILATERAL[j]));
    if (shape == Shape::one_distance || shape == Shape::zenith_and_distance) text += record(f, 1, 9, distance(1, 9));
    if (shape == Shape::pair_alone) text += record(f, 8, 9, distance(8, 9));
    return text + "-1\n";
}

// The network of the report that found the fault: point 9 seen by one distance only (its two
// epochs 3 mm apart), and its form with one value per record.
const char* const REPORTED =
    "'p9'\n1 1 1 0\n1 6 0 0\n2 2 100000 0\n3 0 0 100000\n9 0 -50000 -150000\n-1\n"
    "1 2 0 0 1\n1 3 1000000 1000000 1\n-1\n"
    "1 2 100000 100000 1\n1 3 100000 100000 1\n2 3 141421.356 141421.356 1\n1 9 158113.883 158116.883 1\n-1\n";
const char* const REPORTED_ONE_EPOCH =
    "'p9'\n1 1 1 0\n1 6 0 0\n2 2 100000 0\n3 0 0 100000\n9 0 -50000 -150000\n-1\n"
    "1 2 0 1\n1 3 1000000 1\n-1\n"
    "1 2 100000 1\n1 3 100000 1\n2 3 141421.356 1\n1 9 158113.883 1\n-1\n";

struct Program {
    const char* path;
    Form form;
    bool database;                // asks for a point database (given DB.DB, one foreign point)
    const char* singular_first;   // the first of its three lines for a singular normal matrix
    bool ascii_advice;            // the two lines after it without diacritics
};

const Program PROGRAMS[] = {
    {OSTREL_PATH, {3, false}, false, "singularita řešení  ", false},
    {VINTRA_PATH, {3, false}, false, "singularita řešení  ", false},
    {OSTREL_F_PATH, {3, false}, false, "singularita řešení  ", false},
    {OSTREL_DATA_PATH, {3, false}, false, "singularita řešení  ", false},
    {OSTREL_C_PATH, {3, false}, false, "singularita řešení  ", false},
    {KASPEN_PATH, {3, true}, false, "singularita řešení  ", false},
    {PLANOR_PATH, {2, false}, true, "chyba v inverzi MI()", true},
    {RUDVIK_PATH, {2, true}, true, "Zadání je singulární", false},
    {RUDVIK_H_PATH, {2, true}, true, "Zadání je singulární", false},
};

// One point record of the database: number 50 at (1, 2, 0) mm, 32 bytes.
std::string foreign_point() {
    char record[32] = {};
    const short number = 50;
    const double x = 1.0, y = 2.0;
    std::memcpy(record, &number, 2);
    std::memcpy(record + 2, &x, 8);
    std::memcpy(record + 10, &y, 8);
    return std::string(record, 32);
}

void expect_singular_path(const Program& p, const std::string& input, const std::string& what) {
    SCOPED_TRACE(std::string(p.path) + ", " + what);
    testsupport::DataFolder folder;
    folder.write("I.TXT", input);
    const std::string database = foreign_point();
    if (p.database) folder.write("DB.DB", database);
    const std::string answers = p.database ? "R.TXT\nI.TXT\nDB.DB\n\n\n\n" : "R.TXT\nI.TXT\n\n\n\n";
    const testsupport::RunLines r = testsupport::run_lines(p.path, folder, answers, "R.TXT");
    EXPECT_EQ(r.status, 1);
    std::vector<std::string> expected = {
        p.singular_first,
        p.ascii_advice ? " zrejme spatne zadane podminky na umisteni site," : " zřejmě špatně zadané podmínky na umístění sítě,",
        p.ascii_advice ? " nejprve ale provedte kontrolu vstupnich velicin" : " nejprve ale proveďte kontrolu vstupních veličin",
    };
    if (p.database) expected.push_back("Vyrovnani neni dokonceno, databaze bodu zustava beze zmeny");
    expected.push_back("KONEC");
    ASSERT_GE(r.screen.size(), expected.size());
    const std::vector<std::string> tail(r.screen.end() - static_cast<long>(expected.size()), r.screen.end());
    EXPECT_EQ(tail, expected);
    for (const std::string& line : r.report) {
        EXPECT_EQ(line.find("V Ý S L E D N É"), std::string::npos) << line;
        EXPECT_EQ(line.find("Chyba v RD()"), std::string::npos) << line;
    }
    if (p.database) {
        EXPECT_EQ(folder.read("DB.DB"), database) << "nothing stored";
    }
}

TEST(LocalFreedom, EveryConsoleProgramRefusesAPartlyFreePoint) {
    struct Case {
        const char* what;
        int dimension;
        Shape shape;
    };
    const Case cases[] = {
        {"one distance", 2, Shape::one_distance},
        {"one direction", 2, Shape::one_direction},
        {"two points seen only from each other", 2, Shape::pair_alone},
        {"a zenith angle and a slope distance", 3, Shape::zenith_and_distance},
        {"a direction and a zenith angle", 3, Shape::direction_and_zenith},
        {"two points seen only from each other", 3, Shape::pair_alone},
    };
    for (const Placement& at : PLACEMENTS)
        for (const Program& p : PROGRAMS)
            for (const Case& c : cases)
                if (c.dimension == p.form.dimension)
                    expect_singular_path(p, network(p.form, c.shape, at), std::string(c.what) + ", " + at.what);
}

TEST(LocalFreedom, TheReportedNetworkIsRefusedInEveryForm) {
    for (const Program& p : PROGRAMS) {
        if (p.form.dimension == 2) expect_singular_path(p, p.form.two_epochs ? REPORTED : REPORTED_ONE_EPOCH, "reported");
    }
}

// The quadrilateral alone is well determined: every program finishes it, wherever it lies and
// whatever fixes its datum (the control case that shows that the refusals above come from the
// free point).
TEST(LocalFreedom, TheQuadrilateralAloneIsAdjusted) {
    for (const Placement& at : PLACEMENTS) {
        for (const Program& p : PROGRAMS) {
            SCOPED_TRACE(std::string(p.path) + ", " + at.what);
            std::string input = network(p.form, Shape::one_distance, at);
            // Without point 9 and its one distance.
            const std::size_t point9 = input.find("\n9 ");
            input.erase(point9 + 1, input.find('\n', point9 + 1) - point9);
            const std::size_t distance9 = input.find("\n1 9 ");
            input.erase(distance9 + 1, input.find('\n', distance9 + 1) - distance9);
            testsupport::DataFolder folder;
            folder.write("I.TXT", input);
            if (p.database) folder.write("DB.DB", foreign_point());
            const std::string answers = p.database ? "R.TXT\nI.TXT\nDB.DB\nn\nn\nn\nn\n" : "R.TXT\nI.TXT\nn\nn\nn\nn\nn\n";
            const testsupport::RunLines r = testsupport::run_lines(p.path, folder, answers, "R.TXT");
            EXPECT_EQ(r.status, 0);
            EXPECT_FALSE(testsupport::contains(r.screen, p.singular_first));
        }
    }
}

}  // namespace
