// The frame of one run of a console program.
#include "adjustment/run.h"

#include <cerrno>
#include <exception>

#include "adjustment/adjustment.h"
#include "adjustment/failures.h"
#include "adjustment/file_refusals.h"
#include "adjustment/input_reader.h"
#include "adjustment/pair_displacements.h"
#include "adjustment/point_database.h"
#include "adjustment/report_tables.h"
#include "adjustment/solution.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/interrupts.h"
#include "platform/paths.h"
#include "platform/record.h"

namespace adjustment {

using platform::ExitStatus;
using platform::Record;

Run::Run(const Profile& p, platform::Console& c, platform::RecordSink& r, platform::RecordSink& ctl,
         platform::DateTime t)
    : profile(p), text(p.text), console(c), report(r), control(ctl), start(t), net(p.cap, p.dimension) {}

Run::~Run() = default;

std::vector<std::string> banner_records(const Profile& profile, const platform::DateTime& t) {
    std::vector<std::string> records(static_cast<std::size_t>(profile.banner_empty_before), "");
    std::string frame = " ";
    for (int i = 0; i < 36; ++i) frame += "* ";
    if (profile.banner_frame) records.push_back(frame);
    for (const std::string& line : profile.banner_body) records.push_back(line);
    records.push_back(Record(profile.banner_date_start).text("Datum: ").i(t.day, 2).text(".")
                          .i(t.month, 2).text(".").i(t.year, 4).text(profile.banner_date_end).str());
    records.push_back(Record(profile.banner_time_start).text(profile.banner_time_label).i(t.hour, 2).text(":")
                          .i(t.minute, 2).text(":").i(t.second, 2).text(profile.banner_time_end).str());
    for (const std::string& line : profile.banner_after_time) records.push_back(line);
    if (profile.banner_frame) records.push_back(frame);
    for (int i = 0; i < profile.banner_empty_after; ++i) records.push_back("");
    return records;
}

std::filesystem::path control_file(const Profile& profile) {
    // The file name of the fixed path literal, such as "F:ERR$$$.TXT" or "H:\TEST\IG\ERR$$$.TXT".
    const std::string& literal = profile.control_path;
    return platform::in_data_folder(literal.substr(literal.find_last_of("\\:") + 1));
}

std::string right_in_24(const std::string& name) {
    return Record().blanks(24 - platform::char_count(name)).text(name).str();
}

namespace {

// The typed input name (STJ) and the full paths (ADRESA, ADRESB) have the same lengths in every
// program; only the report name's differs.
constexpr int INPUT_NAME_LENGTH = 12;
constexpr int PATH_LENGTH = 26;

// A name typed on the console, cut or padded to its length; the end of the input ends the run.
std::string ask_name(Run& run, const std::string (&prompt)[2], int length) {
    run.console.say(prompt[0]);
    if (!prompt[1].empty()) run.console.say(prompt[1]);
    std::string line;
    if (!run.console.read_line(line)) input_ended();
    return platform::text_field(line, length);
}

void report_dialogue(Run& run, platform::FileSink& report) {
    const Profile& p = run.profile;
    for (;;) {
        run.TISK = ask_name(run, p.report_prompt, p.report_name_length);
        run.ADRESA = platform::text_field(p.report_prefix + run.TISK, PATH_LENGTH);
        errno = 0;
        if (platform::usable_name(run.TISK) && report.create_new(platform::in_data_folder(run.TISK))) return;
        const int error = errno;
        if (platform::lacks_resources(error)) files_exhausted(run, run.TISK);
        const std::string shown =
            p.refusal_shows_typed_name ? right_in_24(run.TISK) : platform::text_field(run.ADRESA, 24);
        run.console.say(shown + report_refusal(run, run.TISK, error));
    }
}

std::string input_dialogue(Run& run) {
    const Profile& p = run.profile;
    for (;;) {
        run.STJ = ask_name(run, p.input_prompt, INPUT_NAME_LENGTH);
        run.ADRESB = platform::text_field(p.input_prefix + run.STJ, PATH_LENGTH);
        std::string bytes;
        errno = 0;
        if (platform::usable_name(run.STJ) && platform::read_whole_file(platform::in_data_folder(run.STJ), bytes))
            return bytes;
        if (platform::lacks_resources(errno)) files_exhausted(run, run.STJ);
        const std::string shown =
            p.input_refusal_shows_path ? platform::text_field(run.ADRESB, 24) : right_in_24(run.STJ);
        run.console.say(shown + run.text.input_missing);
    }
}

void end_message(Run& run) {
    if (run.profile.end_message_with_print_hint) {
        run.console.say(run.text.result_file + run.TISK);
        run.console.say(run.text.print_hint + run.TISK + run.text.print_hint_after);
        return;
    }
    run.console.say(run.text.result_file + run.ADRESA);
    run.console.say(run.text.result_file_after);
}

// The control file, rewritten from its beginning; the first record and two empty records where
// the program writes them.
void open_control(Run& run, platform::FileSink& control) {
    if (!control.open_rewrite(control_file(run.profile)))
        platform::halt(run.console, run.text.control_unavailable + run.profile.control_path, ExitStatus::failed);
    if (!run.profile.control_heading) return;
    run.control.put(run.text.control_first);
    run.control.empty();
    run.control.empty();
}

// The adjustment of the network read and the report tables of its results. The passes work on
// an adjustment of their own over the run's network and a solution made for it; the file
// dialogue and the point database stay with the frame.
void adjust_and_report(Run& run) {
    run.solution = std::make_unique<Solution>(run.profile.cap);
    Adjustment adj{run.profile, run.text, run.console, run.report, run.control, run.TISK,
                   run.net, *run.solution, run.points_final};
    // Observations without any point: none of their stations can be in the point list.
    if (adj.net.IB == 0) point_index(adj, adj.net.INS[1]);
    adjust(adj);
    write_report_tables(adj);
    if (adj.profile.pairs) write_pair_displacements(adj);
}

[[noreturn]] void whole_run(Run& run, platform::FileSink& report, platform::FileSink& control) {
    const Profile& p = run.profile;
    if (!platform::data_folder_found()) {
        const std::string named = platform::named_data_folder();
        platform::halt(run.console, named.empty() ? run.text.data_folder_missing : run.text.named_data_folder_missing + named,
                       ExitStatus::failed);
    }
    // The converters hold no file once open: opened here, before the run holds any, so that no
    // later write can fail for want of a descriptor to open one.
    if (!platform::code_pages_ready() || !run.console.ready())
        platform::halt(run.console, run.text.converter_unavailable, ExitStatus::failed);
    if (p.control_before_banner) open_control(run, control);
    for (const std::string& r : banner_records(p, run.start)) run.console.record(r);
    if (!p.control_before_banner) open_control(run, control);
    report_dialogue(run, report);
    std::string bytes = input_dialogue(run);
    if (p.control_paths) run.control.put(Record(" ").a(run.ADRESA, PATH_LENGTH).a(run.ADRESB, PATH_LENGTH));
    database_dialogue(run);
    read_input(run, std::move(bytes));
    if (run.net.NN > run.profile.cap.unknowns)
        platform::halt(run.console, run.text.too_many_adjusted_points, ExitStatus::failed);
    adjust_and_report(run);
    if (run.profile.interactive) run.profile.interactive(run);
    end_message(run);
    exit_block(ExitStatus::finished);
}

// The whole run to its end through the exit block or a halt. An exception that no step of the
// run expected (memory exhausted) ends it through the exit block as failed, storing nothing.
[[noreturn]] void guarded_run(Run& run, platform::FileSink& report, platform::FileSink& control) {
    try {
        whole_run(run, report, control);
    } catch (const std::exception& broken) {
        run.points_final = false;
        run.console.say(run.text.run_broken_off + broken.what());
        exit_block(ExitStatus::failed);
    }
}

// The exit block: the points stored where the run may store them, the report and the control
// file written out and closed, then the halt with "KONEC".
[[noreturn]] void close_the_run(Run& run, platform::FileSink& report, platform::FileSink& control,
                                ExitStatus status) {
    // What the console holds is shown before anything is stored: a console found lost here (a
    // closed output) is a hang-up, and the run stores nothing.
    run.console.finish();
    ExitStatus end_status = store_points(run, status);
    report.remove_if_unwritten();
    // The buffered records reach the files here; every write and the close are checked.
    const bool report_written = report.close(), control_written = control.close();
    if (!report_written || !control_written) {
        run.console.say(run.text.write_failed);
        end_status = ExitStatus::failed;
    }
    platform::halt(run.console, run.text.end, end_status);
}

}  // namespace

int run_program(const Profile& profile, platform::Console& console,
                const std::function<void(const Run&)>& inspect) {
    platform::FileSink report, control;
    Run run(profile, console, report, control, platform::now());
    // Whatever the run has written stands in its files while it waits for an answer: an
    // interrupt or a closed terminal there loses nothing already computed.
    console.before_waiting([&report, &control] {
        report.flush();
        control.flush();
    });
    int status = 0;
    try {
        try {
            guarded_run(run, report, control);
        } catch (const ExitBlock& end) {
            close_the_run(run, report, control, end.status);
        }
    } catch (const platform::Halt& h) {
        status = static_cast<int>(h.status);
    } catch (const std::exception&) {
        // The exit block itself could not be completed (memory exhausted): the files are closed
        // below as they stand.
        status = static_cast<int>(ExitStatus::failed);
    }
    // What the run wrote before a halt stands in its files.
    report.remove_if_unwritten();
    report.close();
    control.close();
    console.before_waiting({});
    // An interrupted run has not finished, whatever end it took.
    if (platform::interrupted()) status = static_cast<int>(ExitStatus::failed);
    if (inspect) inspect(run);
    return status;
}

}  // namespace adjustment
