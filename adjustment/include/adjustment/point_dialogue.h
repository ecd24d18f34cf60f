// What the interactive computations of the adjustment programs share: yes/no answers and point
// numbers read from the console, the list of the network's point numbers, and the standard
// deviation of a computed quantity from its gradient and the covariance of the adjustment.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "library/matrix.h"
#include "platform/console.h"
#include "platform/sink.h"

namespace adjustment {

struct Network;

enum class Answer { yes, no, ended };
enum class Read { ok, failed, ended };

// A yes/no answer: the first character of the line, "N" or "n" for no, anything else for yes.
Answer read_answer(platform::Console& console);
// The question, then its answer.
Answer ask(platform::Console& console, const std::string& question);
// `count` point numbers in free format; a record may go on over further lines.
Read read_point_numbers(platform::Console& console, int count, std::int16_t* values);
// The heading (e.g. "Cisla bodu jsou:"), then the network's point numbers in input order, ten
// to a line.
void show_point_list(platform::Console& console, const std::string& heading, const Network& net);

// The points of one prompt of a computation loop, as the user gave them.
struct ChosenPoints {
    enum Kind { given, again, leave, ended } kind = again;
    std::int16_t number[3] = {0, 0, 0};  // as typed
    int slot[3] = {0, 0, 0};             // positions in the point list (temporary points after it)
    int temporary = 0;                   // points taken from the point database
};
// What one prompt of a loop shows and asks.
struct PointPrompt {
    const std::string& prompt;
    int count;                        // point numbers to read (2 or 3)
    const std::string& end_question;  // whether to end the computation
    bool negative_asks;               // a negative number asks the end question, else the prompt again
    const std::string& again_text;    // a number that is not found
    const std::string& list_heading;  // of the point list shown after `again_text`
};
// The slot of a point number, 0 when it is found nowhere; may take it as a temporary point.
using FindPoint = std::function<int(std::int16_t number, ChosenPoints& points)>;
// One prompt of a loop: the prompt, then `count` point numbers. A failed read (and a negative
// number where `negative_asks`) asks the end question: "n" gives `again`, anything else `leave`;
// a negative number elsewhere gives `again`. A number that `find` does not find: `again_text`,
// the point list, `again`. The end of the input at any read gives `ended`.
ChosenPoints next_points(platform::Console& console, const PointPrompt& prompt, const Network& net,
                         const FindPoint& find);

// A report block of computed quantities: two empty records, the title, an empty record, the
// column record, the units record, two empty records.
void write_computation_heading(platform::RecordSink& report, const std::string& title,
                               const std::string& columns, const std::string& units);
// A row of a quantity between two points: the numbers i and j, the value (12.1) and its
// standard deviation (9.3).
void write_pair_row(platform::RecordSink& report, std::int16_t i, std::int16_t j, double value, double sigma);
// A row of an angle j-i-k: the three numbers, the angle (12.1) and its standard deviation (9.3).
void write_angle_row(platform::RecordSink& report, std::int16_t j, std::int16_t i, std::int16_t k,
                     double omega, double sigma);
// The horizontal angle [cc] from the direction to j to the direction to k, from the coordinate
// differences station to target: azimuths with a full circle added when negative, their
// difference with a full circle added when negative.
double horizontal_angle(double dxj, double dyj, double dxk, double dyk);

// The cofactor F.R.FT of a quantity derived from the unknowns: F its gradient row (1 x n), R the
// cofactor matrix of the unknowns (n x n used); FT, FR and q take the transpose, F.R and the
// 1 x 1 result.
double gradient_cofactor(const library::Matrix& F, const library::Matrix& R, library::Index n,
                         library::Matrix& FT, library::Matrix& FR, library::Matrix& q);

// The standard deviation of a quantity computed from adjusted coordinates: the gradient row F
// over the unknowns in use, and sigma^2 = F.RD.FT.MO^2 with RD the cofactor matrix R of the
// network's unknowns. Where temporary points (not in the adjustment) take part, they follow the
// network's unknowns, and the a-priori coordinate variance QCH is added on the network's
// diagonal and set on theirs.
class QuantitySigma {
public:
    explicit QuantitySigma(library::Index order);
    // Clears F over the unknowns in use.
    void clear(library::Index unknowns);
    double& F(int column) { return F_(1, column); }
    // sigma [the quantity's unit]; a negative sigma^2 shows the console line `negative_text`
    // with F.RD.FT, and gives 0.
    double sigma(const library::Matrix& R, library::Index network_unknowns, library::Index unknowns,
                 bool temporary_points, double QCH, double MO, platform::Console& console,
                 const std::string& negative_text);

private:
    library::Matrix F_, FT_, RD_, FRD_, q_;
};

}  // namespace adjustment
