// The frame of one run of a console program: banner, control file, file dialogue, input, the
// adjustment, the report, the program's interactive part, the end message and the exit block.
#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "adjustment/exit_block.h"
#include "adjustment/network.h"
#include "adjustment/profile.h"
#include "library/pointdb.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/halt.h"
#include "platform/sink.h"

namespace adjustment {

struct Solution;

// The frame's state of one run from its start to its end: the ends of the report and control
// files, the typed names and full paths, the point database. It owns the network, which the
// reader fills, and the solution; the adjustment (adjustment.h) works on both, and the report,
// the interactive part and the exit block read them after it.
struct Run {
    Run(const Profile& profile, platform::Console& console, platform::RecordSink& report,
        platform::RecordSink& control, platform::DateTime start);
    ~Run();

    const Profile& profile;
    const Messages& text;
    platform::Console& console;
    platform::RecordSink& report;
    platform::RecordSink& control;
    platform::DateTime start;
    std::string TISK, STJ;      // names as typed, cut or padded to their lengths
    std::string ADRESA, ADRESB; // full report and input paths as the program shows them
    float BDUMMY = -1.0f;       // -1.0: no point database is open
    std::string BAZE;           // point-database name as typed
    library::PointDatabase database;  // the open point database, when BDUMMY is not -1.0
    library::Index PB = 0;      // record count of the point database
    // The working coordinates may be stored as known points: the adjustment has been completed,
    // or the whole input has been read and holds no observations (its coordinates are the
    // known ones). Any other end leaves the point database as it was.
    bool points_final = false;
    Network net;
    std::unique_ptr<Solution> solution;  // the adjustment's results, after convergence
};

// Runs the program of the profile on the given console; returns the process exit status.
// `inspect`, when given, sees the run as it ends (tests read the adjusted network from it).
int run_program(const Profile& profile, platform::Console& console,
                const std::function<void(const Run&)>& inspect = {});

// The control file of the program in the data folder.
std::filesystem::path control_file(const Profile& profile);

// A typed name right-aligned in 24 characters, as the refusals of a file name show it.
std::string right_in_24(const std::string& name);

// Records of the console banner for a start at the given time (also used by the tests).
std::vector<std::string> banner_records(const Profile& profile, const platform::DateTime& t);

}  // namespace adjustment
