// The interactive computations between adjusted points.
#include "spatial_adjustment/interactive.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "adjustment/point_dialogue.h"
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

    // The points of one prompt of a loop, as the user gave them.
    struct Points {
        enum Kind { given, again, leave, ended } kind = again;
        std::int16_t number[3] = {0, 0, 0};  // as typed
        int index[3] = {0, 0, 0};            // positions in the point list
    };

    // One prompt of a loop: `count` point numbers. A failed read, and a negative number where
    // `negative_asks`, asks the end question ("n": the prompt again); elsewhere a negative
    // number asks again. A number missing from the point list: `again_text` and the list.
    Points next_points(const std::string& prompt, int count, const std::string& end_question,
                       bool negative_asks, const std::string& again_text) {
        Points p;
        con_.say(prompt);
        const Read r = numbers(count, p.number);
        if (r == Read::ended) return {Points::ended};
        bool negative = false;
        for (int t = 0; t < count; ++t) negative = negative || p.number[t] < 0;
        if (r == Read::failed || (negative && negative_asks)) {
            const Answer e = ask(end_question);
            if (e == Answer::ended) return {Points::ended};
            return {e == Answer::no ? Points::again : Points::leave};
        }
        if (negative) return {Points::again};
        for (int t = 0; t < count; ++t) {
            p.index[t] = find(p.number[t]);
            if (p.index[t] == 0) {
                con_.say(again_text);
                show_points();
                return {Points::again};
            }
        }
        p.kind = Points::given;
        return p;
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
            const int i = p.index[0], j = p.index[1];
            const double dx = net_.XO[j] - net_.XO[i], dy = net_.YO[j] - net_.YO[i];
            const double dz = FLAG == 0 ? net_.ZO[j] - net_.ZO[i] : 0.0;
            const double S = std::sqrt(dz * dz + dx * dx + dy * dy);
            if (S <= 0) continue;
            clear_gradient();
            fx(i) = dx / S;
            fx(j) = -dx / S;
            fy(i) = dy / S;
            fy(j) = -dy / S;
            if (FLAG == 0) {
                fz(i) = dz / S;
                fz(j) = -dz / S;
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
            const int i = p.index[0], j = p.index[1];
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
            const int j = p.index[0], i = p.index[1], k = p.index[2];
            const double dxj = net_.XO[j] - net_.XO[i], dyj = net_.YO[j] - net_.YO[i];
            const double dxk = net_.XO[k] - net_.XO[i], dyk = net_.YO[k] - net_.YO[i];
            const double sj = dxj * dxj + dyj * dyj, sk = dxk * dxk + dyk * dyk;
            if (sj <= 0 || sk <= 0) {
                con_.say(texts.again_all);
                show_points();
                continue;
            }
            const double omega = adjustment::horizontal_angle(dxj, dyj, dxk, dyk);
            clear_gradient();
            fx(i) = (dyk / sk - dyj / sj) * RO;
            fy(i) = -(dxk / sk - dxj / sj) * RO;
            fx(j) = dyj / sj * RO;
            fy(j) = -dxj / sj * RO;
            fx(k) = -dyk / sk * RO;
            fy(k) = dxk / sk * RO;
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
            const int i = p.index[0], j = p.index[1];
            const double dx = net_.XO[j] - net_.XO[i], dy = net_.YO[j] - net_.YO[i];
            const double dz = net_.ZO[j] - net_.ZO[i];
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d == 0) continue;
            const double S2 = dz * dz + dx * dx + dy * dy;
            const double z = dz == 0 ? 1000000.0 : std::atan2(d, dz) * RO;
            const double c = dz * RO / (S2 * d);
            clear_gradient();
            fx(i) = -c * dx;
            fx(j) = c * dx;
            fy(i) = -c * dy;
            fy(j) = c * dy;
            fz(i) = d * RO / S2;
            fz(j) = -d * RO / S2;
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
