// The interactive computations between adjusted points.
#include "spatial_adjustment/interactive.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "adjustment/point_dialogue.h"
#include "adjustment/rows.h"
#include "adjustment/run.h"
#include "adjustment/solution.h"
#include "adjustment/units.h"
#include "library/cbodu.h"
#include "platform/record.h"

namespace spatial_adjustment {

using adjustment::RO;
using adjustment::Run;
using library::Index;
using platform::Record;

namespace {

enum class Step { offer1, offer2, offer3, offer4, offer5, end };
using adjustment::Answer;
using adjustment::Read;

const DialogueTexts texts;

class Dialogue {
public:
    explicit Dialogue(Run& run)
        : run_(run), net_(run.net), con_(run.console), out_(run.report),
          sigma_(run.profile.cap.cov_order) {}

    void run() {
        Step step = Step::offer1;
        while (step != Step::end) step = offer(step);
    }

private:
    Step offer(Step step) {
        switch (step) {
            case Step::offer1: return distance_offer(0);
            case Step::offer2: return distance_offer(1);
            case Step::offer3: return height_offer();
            case Step::offer4: return angle_offer();
            case Step::offer5: return zenith_offer();
            case Step::end: break;
        }
        return Step::end;
    }

    Answer ask(const std::string& question) { return adjustment::ask(con_, question); }

    Read numbers(int count, std::int16_t* values) { return adjustment::read_point_numbers(con_, count, values); }

    void show_points() { adjustment::show_point_list(con_, texts.point_list, net_); }

    // Position of a point number in the point list; 0 after the lookup's message when missing.
    int find(std::int16_t number) {
        Index i = 0;
        if (library::CBODU(net_.IN.data() + 1, run_.profile.cap.points, net_.IB, number, i, con_) !=
            library::DONE)
            return 0;
        return i;
    }

    // sigma = MO * sqrt(F.R.FT) for the gradient row F of the quantity.
    double sigma() {
        return sigma_.sigma(run_.solution->R, net_.NN, net_.NN, false, 0.0, net_.MO, con_,
                            texts.negative_variance);
    }

    void clear_gradient() { sigma_.clear(net_.NN); }
    double& fx(int p) { return sigma_.F(net_.column(p, adjustment::X)); }
    double& fy(int p) { return sigma_.F(net_.column(p, adjustment::Y)); }
    double& fz(int p) { return sigma_.F(net_.column(p, adjustment::Z)); }

    void pair_row(std::int16_t i, std::int16_t j, double value, double s) {
        adjustment::write_pair_row(out_, i, j, value, s);
    }

    void heading(const std::string& title, const std::string& columns, const std::string& units) {
        adjustment::write_computation_heading(out_, title, columns, units);
    }

    void enter_loop() {
        con_.say(" ");
        show_points();
    }

    using Points = adjustment::ChosenPoints;

    // One prompt of a loop: `count` point numbers. A failed read, and a negative number where
    // `negative_asks`, asks the end question ("n": the prompt again); elsewhere a negative
    // number asks again. A number missing from the point list: `again_text` and the list.
    Points next_points(const std::string& prompt, int count, const std::string& end_question,
                       bool negative_asks, const std::string& again_text) {
        return adjustment::next_points(con_, {prompt, count, end_question, negative_asks, again_text, texts.point_list},
                                       net_, [this](std::int16_t number, Points&) { return find(number); });
    }

    // Offers 1 and 2: spatial (FLAG 0) and horizontal (FLAG 1) distances.
    Step distance_offer(int FLAG) {
        if (FLAG == 1) con_.say(" ");
        const Answer a = ask(texts.offer[FLAG]);
        if (a == Answer::ended) return Step::end;
        const Step next = FLAG == 0 ? Step::offer2 : Step::offer3;
        if (a == Answer::no) return next;
        heading(Record(texts.distance_title).a(texts.PRO[FLAG], 10).text(texts.distance_title_end).str(),
                Record(" ").a(texts.PROS[FLAG], 10).text(texts.distance_columns).str(), texts.units_mm);
        enter_loop();
        for (;;) {
            const Points p = next_points(texts.pair_prompt, 2, texts.end_distances, true, texts.again_two);
            if (p.kind == Points::ended) return Step::end;
            if (p.kind == Points::leave) return next;
            if (p.kind == Points::again) continue;
            const int i = p.slot[0], j = p.slot[1];
            const double dx = net_.XO[j] - net_.XO[i], dy = net_.YO[j] - net_.YO[i];
            const double dz = FLAG == 0 ? net_.ZO[j] - net_.ZO[i] : 0.0;
            const double S = std::sqrt(dz * dz + dx * dx + dy * dy);
            if (S <= 0) continue;
            // The gradient by the first point is the unit vector from the second to the first.
            const adjustment::DistanceCoefficients c = adjustment::distance_coefficients(dx, dy, dz, S);
            clear_gradient();
            fx(i) = c.target_x;
            fx(j) = c.station_x;
            fy(i) = c.target_y;
            fy(j) = c.station_y;
            if (FLAG == 0) {
                fz(i) = c.target_z;
                fz(j) = c.station_z;
            }
            pair_row(p.number[0], p.number[1], S, sigma());
        }
    }

    Step height_offer() {
        const Answer a = ask(texts.offer[2]);
        if (a == Answer::ended) return Step::end;
        if (a == Answer::no) return Step::offer4;
        heading(texts.height_heading[0], texts.height_heading[1], texts.units_mm);
        enter_loop();
        for (;;) {
            const Points p = next_points(texts.pair_prompt, 2, texts.end_heights, false, texts.again_two);
            if (p.kind == Points::ended) return Step::end;
            if (p.kind == Points::leave) return Step::offer4;
            if (p.kind == Points::again) continue;
            const int i = p.slot[0], j = p.slot[1];
            clear_gradient();
            fz(i) = -1.0;
            fz(j) = 1.0;
            pair_row(p.number[0], p.number[1], net_.ZO[j] - net_.ZO[i], sigma());
        }
    }

    Step angle_offer() {
        const Answer a = ask(texts.offer[3]);
        if (a == Answer::ended) return Step::end;
        if (a == Answer::no) return Step::offer5;
        heading(texts.angle_heading[0], texts.angle_heading[1], texts.units_angle);
        enter_loop();
        for (;;) {
            const Points p = next_points(texts.triple_prompt, 3, texts.end_angles, true, texts.again_all);
            if (p.kind == Points::ended) return Step::end;
            if (p.kind == Points::leave) return Step::offer5;
            if (p.kind == Points::again) continue;
            const int j = p.slot[0], i = p.slot[1], k = p.slot[2];
            const double dxj = net_.XO[j] - net_.XO[i], dyj = net_.YO[j] - net_.YO[i];
            const double dxk = net_.XO[k] - net_.XO[i], dyk = net_.YO[k] - net_.YO[i];
            const double sj = dxj * dxj + dyj * dyj, sk = dxk * dxk + dyk * dyk;
            if (sj <= 0 || sk <= 0) {
                con_.say(texts.again_all);
                show_points();
                continue;
            }
            const double omega = adjustment::horizontal_angle(dxj, dyj, dxk, dyk);
            // The gradient of the angle divides each coordinate difference by its squared
            // length before it multiplies by RO, in that order, so it is not the angle row's
            // coefficients (RO times the difference, then divided), which round differently.
            // One target on both sides: the angle is zero wherever the target stands, so its two
            // roles are added, as in the observation rows, and the gradient is zero.
            clear_gradient();
            fx(i) = (dyk / sk - dyj / sj) * RO;
            fy(i) = -(dxk / sk - dxj / sj) * RO;
            fx(j) = dyj / sj * RO;
            fy(j) = -dxj / sj * RO;
            if (j == k && run_.profile.same_target_angle_sums) {
                fx(k) += -dyk / sk * RO;
                fy(k) += dxk / sk * RO;
            } else {
                fx(k) = -dyk / sk * RO;
                fy(k) = dxk / sk * RO;
            }
            adjustment::write_angle_row(out_, p.number[0], p.number[1], p.number[2], omega, sigma());
        }
    }

    Step zenith_offer() {
        const Answer a = ask(texts.offer[4]);
        if (a != Answer::yes) return Step::end;
        heading(texts.zenith_heading[0], texts.zenith_heading[1], texts.units_zenith);
        enter_loop();
        for (;;) {
            const Points p = next_points(texts.pair_prompt, 2, texts.end_zenith, true, texts.again_two);
            if (p.kind == Points::ended || p.kind == Points::leave) return Step::end;
            if (p.kind == Points::again) continue;
            const int i = p.slot[0], j = p.slot[1];
            const double dx = net_.XO[j] - net_.XO[i], dy = net_.YO[j] - net_.YO[i];
            const double dz = net_.ZO[j] - net_.ZO[i];
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d == 0) continue;
            const double S2 = dz * dz + dx * dx + dy * dy;
            const double z = adjustment::zenith_angle_cc(d, dz);
            const adjustment::ZenithCoefficients c = adjustment::zenith_coefficients(dx, dy, dz, S2, d);
            clear_gradient();
            fx(i) = c.station_x;
            fx(j) = c.target_x;
            fy(i) = c.station_y;
            fy(j) = c.target_y;
            fz(i) = c.station_z;
            fz(j) = c.target_z;
            pair_row(p.number[0], p.number[1], z, sigma());
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

}  // namespace spatial_adjustment
