// The point database of a run: opened at the start, searched while the input is read, extended
// by the exit block.
#include "adjustment/point_database.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "adjustment/file_refusals.h"
#include "adjustment/run.h"
#include "platform/files.h"
#include "platform/interrupts.h"
#include "platform/paths.h"
#include "platform/record.h"

namespace adjustment {

using platform::ExitStatus;
using platform::Record;

namespace {

// Characters of the typed database name kept (BAZE), the same in every program.
constexpr int DATABASE_NAME_LENGTH = 24;

// The answer that declines the database: "n" or "N" followed only by blanks ("no" is a name).
bool declines(const std::string& BAZE) {
    return !BAZE.empty() && (BAZE[0] == 'n' || BAZE[0] == 'N') &&
           BAZE.find_first_not_of(' ', 1) == std::string::npos;
}

// The numbers that the database routines reserve: 99 ends the counted records, 9999 marks a
// deleted one. A point with either number cannot be stored or searched for.
bool reserved(std::int16_t number) { return number == library::DB_END || number == library::DB_DELETED; }

// BTRID, BSINGL, BTRID, then the deleted records taken out of the file, so that they do not
// pile up from run to run; false at the first failure. A database without records makes BSINGL
// meet the end of the file at once: that is no failure, there is nothing to clean.
bool put_in_order(Run& run) {
    if (library::BTRID(run.database, run.PB, run.console) != library::DONE) return false;
    if (run.PB > 0 && library::BSINGL(run.database, run.PB, run.console) != library::DONE) return false;
    if (library::BTRID(run.database, run.PB, run.console) != library::DONE) return false;
    return library::remove_deleted(run.database, run.PB) == library::DONE;
}

void give_up_database(Run& run) {
    run.console.say(run.text.database_not_used);
    run.database.close();
    run.PB = 0;
    run.BDUMMY = -1.0f;
}

// A name that names one of the run's own files (the report, the input, the control file): the
// database routines would sort and overwrite it record by record.
bool names_own_file(const Run& run, const std::filesystem::path& path) {
    std::error_code ec;
    for (const std::filesystem::path& own : {platform::in_data_folder(run.TISK), platform::in_data_folder(run.STJ),
                                              control_file(run.profile)})
        if (std::filesystem::equivalent(path, own, ec)) return true;
    return false;
}

// The three calls after opening: a failure of BSINGL skips the rest of them. A count that BTRID
// could not complete leaves the file unused, so that no append overwrites records it never
// counted. The deleted records that an earlier run left are taken out after the three. A
// database of more records than the search covers is not used: its points could not be found.
void prepare(Run& run) {
    if (library::BTRID(run.database, run.PB, run.console) != library::DONE) return give_up_database(run);
    if (library::BSINGL(run.database, run.PB, run.console) == library::DONE) {
        if (library::BTRID(run.database, run.PB, run.console) != library::DONE) return give_up_database(run);
        if (library::remove_deleted(run.database, run.PB) != library::DONE) return give_up_database(run);
    }
    if (run.PB > library::DB_SEARCH_CAPACITY) {
        run.console.say(run.text.database_over_capacity);
        give_up_database(run);
    }
}

// The points of code 0 or more that the exit block appends (the reserved numbers left out).
bool stored(const Network& net, int i) { return net.KOD1[i] >= 0 && !reserved(net.IN[i]); }

// Whether the database, once the run's points are appended and their repeats deleted and taken
// out, still holds no more records than the search covers. A database whose records cannot be
// read here is left to the appends and the sort, which report it.
bool room_for_points(Run& run) {
    std::vector<std::int16_t> known;
    if (library::live_numbers(run.database, run.PB, known) != library::DONE) return true;
    const Network& net = run.net;
    for (int i = 1; i <= net.IB; ++i)
        if (stored(net, i)) known.push_back(net.IN[i]);
    std::sort(known.begin(), known.end());
    const long live = std::unique(known.begin(), known.end()) - known.begin();
    return live <= library::DB_SEARCH_CAPACITY;
}

// Appends the points of code 0 or more in input order; false when an append fails.
bool append_points(Run& run) {
    const Network& net = run.net;
    for (int i = 1; i <= net.IB; ++i) {
        if (net.KOD1[i] < 0) continue;
        if (reserved(net.IN[i])) {
            run.console.say(Record(run.text.reserved_number).item(net.IN[i]));
            continue;
        }
        if (library::BULOZ(run.database, run.PB, net.IN[i], net.XO[i], net.YO[i], 0.0) != library::DONE)
            return false;
    }
    return true;
}

}  // namespace

void database_dialogue(Run& run) {
    const Profile& p = run.profile;
    run.BDUMMY = -1.0f;
    if (p.database_prompt.empty()) return;
    for (;;) {
        run.console.say(p.database_prompt);
        std::string line;
        if (!run.console.read_line(line)) input_ended();
        // A longer name would be cut to another file's name: asked again instead.
        if (platform::char_count(platform::without_padding(line)) > DATABASE_NAME_LENGTH) {
            run.console.say(run.text.database_name_too_long);
            continue;
        }
        run.BAZE = platform::text_field(line, DATABASE_NAME_LENGTH);
        if (declines(run.BAZE)) return;
        const std::filesystem::path path = platform::as_typed(run.BAZE);
        errno = 0;
        if (platform::usable_name(run.BAZE) && !names_own_file(run, path) && run.database.open(path)) break;
        if (platform::lacks_resources(errno)) files_exhausted(run, run.BAZE);
        if (run.database.in_use())
            run.console.say(run.text.database_in_use + std::string(platform::without_padding(run.BAZE)) +
                            run.text.database_in_use_after);
        else
            run.console.say(right_in_24(run.BAZE) + run.text.database_unavailable);
    }
    run.BDUMMY = 0.0f;
    run.PB = 0;
    prepare(run);
}

bool database_point(Run& run, std::int16_t number, double& X, double& Y) {
    if (reserved(number)) {
        run.console.say(Record(run.text.database_point_missing).item(number));
        return false;
    }
    double Z = 0.0;
    library::Index KF1 = 0;
    return library::BHLED(run.database, run.PB, number, X, Y, Z, KF1, run.console) == library::DONE;
}

ExitStatus store_points(Run& run, ExitStatus status) {
    if (run.BDUMMY == -1.0f) return status;
    if (!run.points_final || platform::interrupted()) {
        run.console.say(run.text.database_unchanged);
        return ExitStatus::failed;
    }
    if (!room_for_points(run)) {
        run.console.say(run.text.database_full);
        return ExitStatus::failed;
    }
    const long long length_before = run.database.length();
    const library::Index PB_before = run.PB;
    if (!append_points(run)) {
        // A full disk or a size limit stopped an append, perhaps inside a record: the file is cut
        // back to the whole records it held, so that the next run can use it.
        run.database.cut_to(length_before);
        run.PB = PB_before;
        run.console.say(run.text.database_store_failed);
        return ExitStatus::failed;
    }
    if (put_in_order(run) || put_in_order(run)) return status;
    run.console.say(run.text.database_store_failed);
    return ExitStatus::failed;
}

}  // namespace adjustment
