// Reader of the input data file, in the spatial or the plane layout.
#include "adjustment/input_reader.h"

#include <cmath>

#include "adjustment/opening_report.h"
#include "adjustment/point_database.h"
#include "adjustment/run.h"
#include "adjustment/units.h"
#include "platform/freeformat.h"
#include "platform/record.h"

namespace adjustment {

using platform::ExitStatus;
using platform::FreeFormatReader;
using platform::ReadStatus;
using platform::Record;

namespace {

class Reader {
public:
    Reader(Run& run, std::string bytes) : run_(run), in_(std::move(bytes)) { in_.refuse_decimal_commas(); }

    void read() {
        Network& net = run_.net;
        title();
        apriori();
        if (net.MOO < 0.01f) net.MOO = 1.0f;
        net.MO = net.MOO;
        write_report_header(run_.profile, run_.start, run_.report);
        write_apriori_block(run_.profile, net, run_.report);
        points();
        net.NN = static_cast<std::int16_t>(run_.profile.dimension * net.IB);
        double sum = 0.0;
        for (int i = 1; i <= net.IB; ++i) sum = sum + (std::fabs(net.YO[i]) + std::fabs(net.XO[i]));
        net.RC = net.NN > 0 ? sum / net.NN : 0.0;
        run_.console.say(run_.text.print_coordinates);
        write_input_coordinates(run_.profile, net, run_.report);
        observations(Section::directions);
        if (spatial()) observations(Section::zenith_angles);
        observations(Section::distances);
        net.NR = k_;
        net.ISN1 = static_cast<std::int16_t>(net.IS + 1);
        net.IZN1 = static_cast<std::int16_t>(net.ISZ + 1);
        if (net.NR == 0) {
            run_.points_final = true;
            exit_block(ExitStatus::finished);
        }
    }

private:
    enum class Section { directions, zenith_angles, distances };

    bool spatial() const { return run_.profile.dimension == 3; }

    // A value that cannot be read; after a decimal comma the console also says to write a
    // decimal point.
    [[noreturn]] void read_error(ReadStatus status = ReadStatus::error) {
        const Record message = Record(run_.text.read_error).item(ns_);
        run_.console.say(message);
        for (const std::string& line : run_.text.read_error_more) run_.console.say(line);
        if (status == ReadStatus::decimal_comma) run_.console.say(run_.text.decimal_comma);
        if (run_.profile.read_error_to_control) run_.control.put(" " + message.str());
        const ReadErrorEcho echo = run_.profile.read_error_echo;
        if (echo == ReadErrorEcho::faulty_record) {
            // The first line of the record that failed (a record may run over several lines);
            // a blank line when the file ended before the record had one.
            std::string line;
            if (!in_.record_first_line(line)) line.clear();
            run_.control.put(Record(run_.text.read_error_echo).i(ns_, 4));
            run_.control.put(Record().a(line, 40).text(run_.text.read_error_echo_after));
            run_.control.empty();
        } else if (echo == ReadErrorEcho::next_line) {
            std::string line;
            if (!in_.read_line_text(line)) line.clear();
            run_.control.put(Record(run_.text.read_error_echo).i(ns_, 4));
            run_.control.put(platform::text_field(line, 40));
        }
        exit_block(ExitStatus::failed);
    }

    // An exceeded input capacity: the control-file record where the program writes one, then the
    // halt.
    [[noreturn]] void capacity_halt(const std::string& control_record, const std::string& text) {
        if (run_.profile.capacity_control_records) run_.control.put(" " + control_record);
        platform::halt(run_.console, text, ExitStatus::failed);
    }

    // A value of the record; the end of the file inside a record is a read error.
    void need(ReadStatus status) {
        if (status != ReadStatus::ok) read_error(status);
    }

    void title() {
        ++ns_;
        in_.begin_record();
        std::string zah;
        need(in_.read_text(zah));
        run_.net.ZAH = platform::text_field(zah, 80);
    }

    void apriori() {
        Network& net = run_.net;
        ++ns_;
        in_.begin_record();
        need(in_.read_real32(net.UU));
        need(in_.read_real32(net.UD));
        if (spatial()) need(in_.read_real32(net.UZ));
        need(in_.read_real32(net.MOO));
        need(in_.read_real(net.MCH));
    }

    // The first value of a record read alone: false at the end of the section (a -1 or the end
    // of the file); otherwise the reader stands again at the start of the record's line.
    bool next_record() {
        ++ns_;
        in_.begin_record();
        std::int16_t first = 0;
        const ReadStatus status = in_.read_int16(first);
        if (status == ReadStatus::end_of_file) return false;
        if (status != ReadStatus::ok) read_error(status);
        if (first == -1) return false;
        in_.back_to_value_line();
        in_.begin_record();
        return true;
    }

    void points() {
        Network& net = run_.net;
        while (next_record()) {
            std::int16_t number = 0, code = 0;
            need(in_.read_int16(number));
            need(in_.read_int16(code));
            double x = 0, y = 0, z = 0;
            if (code <= run_.profile.database_code) {
                // The coordinates come from the point database; the rest of the record is not read.
                if (run_.BDUMMY == -1.0f) {
                    run_.console.say(run_.text.no_database);
                    exit_block(ExitStatus::failed);
                }
                if (!database_point(run_, number, x, y)) exit_block(ExitStatus::failed);
            } else {
                in_.back_to_value_line();
                in_.begin_record();
                need(in_.read_int16(number));
                need(in_.read_int16(code));
                need(in_.read_real(x));
                need(in_.read_real(y));
                if (spatial()) need(in_.read_real(z));
            }
            ++net.IB;
            if (net.IB > run_.profile.cap.points)
                capacity_halt(run_.text.too_many_points_control, run_.text.too_many_points);
            net.IN[net.IB] = number;
            net.KOD1[net.IB] = code;
            net.XO[net.IB] = x;
            net.YO[net.IB] = y;
            net.ZO[net.IB] = z;
        }
    }

    void observations(Section section) {
        Network& net = run_.net;
        while (next_record()) {
            std::int16_t station = 0, target = 0;
            double value = 0, weight = 0, value_i = 0;
            need(in_.read_int16(station));
            need(in_.read_int16(target));
            need(in_.read_real(value));
            if (run_.profile.two_epochs) need(in_.read_real(value_i));
            need(in_.read_real(weight));
            ++k_;
            if (k_ > run_.profile.cap.quantities)
                capacity_halt(run_.text.too_many_quantities_control, run_.text.too_many_quantities);
            if (weight < WEIGHT_MIN) weight = 1.0;
            net.PPP[k_] = weight;
            net.INS[k_] = station;
            net.INC[k_] = target;
            switch (section) {
                case Section::directions:
                    net.IS = k_;
                    net.ISZ = k_;
                    net.SMO[k_] = value;
                    net.CS[k_] = station;
                    net.CC[k_] = target;
                    net.SO[k_] = value;
                    net.SMI[k_] = value_i;
                    net.SI[k_] = value_i;
                    break;
                case Section::zenith_angles:
                    net.ISZ = k_;
                    ++net.IZ;
                    net.CS[k_] = station;
                    net.CC[k_] = target;
                    net.ZMO[net.IZ] = value;
                    net.ZZ[net.IZ] = value;
                    net.ZMI[net.IZ] = value_i;
                    break;
                case Section::distances:
                    ++net.ID;
                    if (net.ID > run_.profile.cap.distances)
                        platform::halt(run_.console, run_.text.too_many_distances, ExitStatus::failed);
                    net.DO[net.ID] = value;
                    net.DI[net.ID] = value_i;
                    break;
            }
        }
    }

    Run& run_;
    FreeFormatReader in_;
    std::int16_t ns_ = 0;  // NS: the record being read, named by the read-error message
    std::int16_t k_ = 0;   // number of the last measured quantity
};

}  // namespace

void read_input(Run& run, std::string bytes) {
    Reader(run, std::move(bytes)).read();
}

}  // namespace adjustment
