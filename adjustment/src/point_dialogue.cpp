// Shared pieces of the interactive computations.
#include "adjustment/point_dialogue.h"

#include <cmath>

#include "adjustment/network.h"
#include "adjustment/units.h"
#include "library/madarith.h"
#include "platform/freeformat.h"
#include "platform/record.h"

namespace adjustment {

using library::Index;
using platform::Record;

Answer read_answer(platform::Console& console) {
    std::string line;
    if (!console.read_line(line)) return Answer::ended;
    return (!line.empty() && (line[0] == 'N' || line[0] == 'n')) ? Answer::no : Answer::yes;
}

Answer ask(platform::Console& console, const std::string& question) {
    console.say(question);
    return read_answer(console);
}

Read read_point_numbers(platform::Console& console, int count, std::int16_t* values) {
    std::string line;
    if (!console.read_line(line)) return Read::ended;
    platform::FreeFormatReader in(line);
    in.begin_record();
    for (int i = 0; i < count; ++i) {
        platform::ReadStatus status = in.read_int16(values[i]);
        while (status == platform::ReadStatus::end_of_file) {
            if (!console.read_line(line)) return Read::ended;
            in = platform::FreeFormatReader(line);
            in.begin_record();
            status = in.read_int16(values[i]);
        }
        if (status != platform::ReadStatus::ok) return Read::failed;
    }
    return Read::ok;
}

void show_point_list(platform::Console& console, const std::string& heading, const Network& net) {
    console.say(heading);
    Record r;
    for (int i = 1; i <= net.IB; ++i) {
        r.item(net.IN[i]);
        if (i % 10 == 0 || i == net.IB) {
            console.say(r);
            r = Record();
        }
    }
}

ChosenPoints next_points(platform::Console& console, const PointPrompt& prompt, const Network& net,
                         const FindPoint& find) {
    ChosenPoints p;
    console.say(prompt.prompt);
    const Read r = read_point_numbers(console, prompt.count, p.number);
    if (r == Read::ended) return {ChosenPoints::ended};
    bool negative = false;
    for (int t = 0; t < prompt.count; ++t) negative = negative || p.number[t] < 0;
    if (r == Read::failed || (negative && prompt.negative_asks)) {
        const Answer e = ask(console, prompt.end_question);
        if (e == Answer::ended) return {ChosenPoints::ended};
        return {e == Answer::no ? ChosenPoints::again : ChosenPoints::leave};
    }
    if (negative) return {ChosenPoints::again};
    for (int t = 0; t < prompt.count; ++t) {
        p.slot[t] = find(p.number[t], p);
        if (p.slot[t] == 0) {
            console.say(prompt.again_text);
            show_point_list(console, prompt.list_heading, net);
            return {ChosenPoints::again};
        }
    }
    p.kind = ChosenPoints::given;
    return p;
}

void write_computation_heading(platform::RecordSink& report, const std::string& title,
                               const std::string& columns, const std::string& units) {
    report.empty();
    report.empty();
    report.put(title);
    report.empty();
    report.put(columns);
    report.put(units);
    report.empty();
    report.empty();
}

void write_pair_row(platform::RecordSink& report, std::int16_t i, std::int16_t j, double value, double sigma) {
    report.put(Record().blanks(2).i(i, 4).text(" -").i(j, 4).blanks(8).f(value, 12, 1).blanks(6).f(sigma, 9, 3));
}

void write_angle_row(platform::RecordSink& report, std::int16_t j, std::int16_t i, std::int16_t k,
                     double omega, double sigma) {
    report.put(Record().blanks(2).i(j, 4).text(" -").i(i, 4).text(" -").i(k, 4).blanks(2).f(omega, 12, 1)
                   .blanks(6).f(sigma, 9, 3));
}

namespace {

// Azimuth in cc from the coordinate differences: converted to cc first, the full circle RK added
// in cc when negative.
double azimuth_cc_circle_in_cc(double dy, double dx) {
    double t = std::atan2(dy, dx) * RO;
    if (t < 0) t = t + RK;
    return t;
}

}  // namespace

double horizontal_angle(double dxj, double dyj, double dxk, double dyk) {
    double omega = azimuth_cc_circle_in_cc(dyk, dxk) - azimuth_cc_circle_in_cc(dyj, dxj);
    if (omega < 0) omega = omega + RK;
    return omega;
}

double gradient_cofactor(const library::Matrix& F, const library::Matrix& R, Index n, library::Matrix& FT,
                         library::Matrix& FR, library::Matrix& q) {
    library::MADTRN(F, FT, 1, n);
    library::MADMUL(F, R, FR, 1, n, n);
    library::MADMUL(FR, FT, q, 1, n, 1);
    return q(1, 1);
}

QuantitySigma::QuantitySigma(Index order)
    : F_(1, order), FT_(order, 1), RD_(order, order), FRD_(1, order), q_(1, 1) {}

void QuantitySigma::clear(Index unknowns) { library::MADVAL(F_, 1, unknowns, 0.0); }

double QuantitySigma::sigma(const library::Matrix& R, Index network_unknowns, Index unknowns,
                            bool temporary_points, double QCH, double MO, platform::Console& console,
                            const std::string& negative_text) {
    library::MADVAL(RD_, unknowns, unknowns, 0.0);
    for (int a = 1; a <= network_unknowns; ++a)
        for (int b = 1; b <= network_unknowns; ++b) RD_(a, b) = R(a, b);
    if (temporary_points) {
        for (int a = 1; a <= network_unknowns; ++a) RD_(a, a) = RD_(a, a) + QCH;
        for (int a = network_unknowns + 1; a <= unknowns; ++a) RD_(a, a) = QCH;
    }
    const double q = gradient_cofactor(F_, RD_, unknowns, FT_, FRD_, q_);
    double s2 = q * MO * MO;
    if (s2 < 0) {
        console.say(Record(negative_text).item(q));
        s2 = 0;
    }
    return std::sqrt(s2);
}

}  // namespace adjustment
