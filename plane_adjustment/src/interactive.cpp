// The interactive computations of the plane adjustment: distances and angles between adjusted
// points (and points of the database) with their standard deviations.
#include "plane_adjustment/interactive.h"

#include <cmath>
#include <cstdint>

#include "adjustment/network.h"
#include "adjustment/point_database.h"
#include "adjustment/point_dialogue.h"
#include "adjustment/rows.h"
#include "adjustment/run.h"
#include "adjustment/solution.h"
#include "library/cbodu.h"

namespace plane_adjustment {

using adjustment::Answer;
using adjustment::Read;
using adjustment::Run;
using adjustment::X;
using adjustment::Y;
using library::Index;

namespace {

enum class Step { distances, angles, end };

const DialogueTexts texts;

class Dialogue {
public:
    explicit Dialogue(Run& run)
        : run_(run), net_(run.net), con_(run.console), out_(run.report), sigma_(run.profile.cap.cov_order) {}

    void run() {
        Step step = Step::distances;
        while (step != Step::end) step = step == Step::distances ? distance_offer() : angle_offer();
    }

private:
    using Points = adjustment::ChosenPoints;

    void show_points() { adjustment::show_point_list(con_, texts.point_list, net_); }

    void heading(const std::string (&lines)[3]) {
        adjustment::write_computation_heading(out_, lines[0], lines[1], lines[2]);
    }

    // A number in the network's point list (the lookup's message when it is not), else in the
    // point database, as the next temporary point after the network's points; 0 when neither.
    int find(std::int16_t number, Points& p) {
        Index i = 0;
        if (library::CBODU(net_.IN.data() + 1, run_.profile.cap.points, net_.IB, number, i, con_) ==
            library::DONE)
            return i;
        if (run_.BDUMMY == -1.0f) return 0;
        const int slot = net_.IB + p.temporary + 1;
        double x = 0, y = 0;
        if (!adjustment::database_point(run_, number, x, y)) return 0;
        ++p.temporary;
        net_.IN[slot] = number;
        net_.XO[slot] = x;
        net_.YO[slot] = y;
        return slot;
    }

    // One prompt: `count` point numbers. A failed read or a negative number asks the end
    // question: "n" goes back to the prompt, anything else leaves the computation. An answer
    // there is the first character of a line, so only the end of the input fails to read, and
    // that ends the dialogue. A point found nowhere: `again_text`, the list, the prompt.
    Points next_points(const std::string& prompt, int count, const std::string& end_question,
                       const std::string& again_text) {
        return adjustment::next_points(con_, {prompt, count, end_question, true, again_text, texts.point_list},
                                       net_, [this](std::int16_t number, Points& p) { return find(number, p); });
    }

    // sigma from F over the network's unknowns and those of the temporary points.
    double sigma(const Points& p) {
        const Index network = net_.NN;
        const Index in_use = static_cast<Index>(network + net_.dimension * p.temporary);
        const double QCH = net_.MCH * net_.MCH / (net_.MO * net_.MO);
        return sigma_.sigma(run_.solution->R, network, in_use, p.temporary > 0, QCH, net_.MO, con_,
                            texts.negative_variance);
    }

    void clear_gradient(const Points& p) {
        sigma_.clear(static_cast<Index>(net_.NN + net_.dimension * p.temporary));
    }

    double& F(int slot, int axis) { return sigma_.F(net_.column(slot, axis)); }

    Step distance_offer() {
        const Answer a = adjustment::ask(con_, texts.distance_offer);
        if (a == Answer::ended) return Step::end;
        if (a == Answer::no) return Step::angles;
        heading(texts.distance_heading);
        con_.empty();
        show_points();
        for (;;) {
            const Points p = next_points(texts.pair_prompt, 2, texts.end_distances, texts.again_two);
            if (p.kind == Points::ended) return Step::end;
            if (p.kind == Points::leave) return Step::angles;
            if (p.kind == Points::again) continue;
            const int i = p.slot[0], j = p.slot[1];
            const double dx = net_.XO[j] - net_.XO[i], dy = net_.YO[j] - net_.YO[i];
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d == 0) continue;
            // The gradient by the first point is the unit vector from the second to the first.
            const adjustment::DistanceCoefficients c = adjustment::distance_coefficients(dx, dy, 0.0, d);
            clear_gradient(p);
            F(i, X) = c.target_x;
            F(j, X) = c.station_x;
            F(i, Y) = c.target_y;
            F(j, Y) = c.station_y;
            adjustment::write_pair_row(out_, p.number[0], p.number[1], d, sigma(p));
        }
    }

    Step angle_offer() {
        const Answer a = adjustment::ask(con_, texts.angle_offer);
        if (a != Answer::yes) return Step::end;
        heading(texts.angle_heading);
        con_.empty();
        show_points();
        for (;;) {
            const Points p = next_points(texts.triple_prompt, 3, texts.end_angles, texts.again_all);
            if (p.kind == Points::ended) return Step::end;
            if (p.kind == Points::leave) return Step::end;
            if (p.kind == Points::again) continue;
            const int j = p.slot[0], i = p.slot[1], k = p.slot[2];
            const double dxj = net_.XO[j] - net_.XO[i], dyj = net_.YO[j] - net_.YO[i];
            const double dxk = net_.XO[k] - net_.XO[i], dyk = net_.YO[k] - net_.YO[i];
            const double sj2 = dxj * dxj + dyj * dyj, sk2 = dxk * dxk + dyk * dyk;
            if (sj2 == 0 || sk2 == 0) {
                con_.say(texts.again_all);
                show_points();
                continue;
            }
            const double omega = adjustment::horizontal_angle(dxj, dyj, dxk, dyk);
            adjustment::AngleCoefficients c = adjustment::angle_coefficients(dxj, dyj, sj2, dxk, dyk, sk2);
            if (j == k && run_.profile.same_target_angle_sums) adjustment::add_same_target_roles(c);
            clear_gradient(p);
            F(i, X) = c.station_x;
            F(i, Y) = c.station_y;
            F(j, X) = c.left_x;
            F(j, Y) = c.left_y;
            F(k, X) = c.right_x;
            F(k, Y) = c.right_y;
            adjustment::write_angle_row(out_, p.number[0], p.number[1], p.number[2], omega, sigma(p));
        }
    }

    Run& run_;
    adjustment::Network& net_;
    platform::Console& con_;
    platform::RecordSink& out_;
    adjustment::QuantitySigma sigma_;
};

}  // namespace

void offer_computations(Run& run) { Dialogue(run).run(); }

}  // namespace plane_adjustment
