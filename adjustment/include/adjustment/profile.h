// What sets one console program (or one build of it) apart: capacities, fixed paths, texts and
// switches. The shared run, reader, adjustment and report code take a profile instead of knowing
// which program runs them.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "adjustment/messages.h"

namespace adjustment {

struct Run;

// Fixed capacities of the data model of a program.
struct Capacities {
    std::int16_t points;      // point records of the input
    std::int16_t quantities;  // measured quantities of all sections (JR)
    std::int16_t distances;   // slope distances
    std::int16_t rows;        // derived-observation rows (JM)
    std::int16_t unknowns;    // unknowns of the adjustment (JN)
    std::int16_t conditions;  // condition rows (JP)
    std::int16_t cov_order;   // declared order of the covariance copy RD (JND)
};

// How the passes of the adjustment run.
struct PassLoop {
    // True: the points of |code| <= 1 take each pass's increments and the others the last
    // solution after the loop. False (deformation): no point moves inside the loop, so every pass
    // is formed from the same coordinates, and every point takes its displacement after it.
    bool moves_points = true;
    // 0: the passes go on until the increments settle, watched by the divergence counter. n: at
    // most n passes, without the divergence counter.
    std::int16_t passes = 0;
};

// The displacement analysis of point pairs after the report of a deformation program.
struct PairAnalysis {
    int unknowns_per_point = 3;   // 3 in space (x, y, z), 2 in the plane (x, y)
    bool height_half = true;      // the height table and its list follow the horizontal ones
    int list_capacity = 260;      // entries of the normalised displacement list
    bool wide_covariance = false; // the covariance term Qxy and sigma_d held as 64-bit reals
};

struct Profile {
    std::string name;          // program name for the benchmark and the tests, e.g. "ostrel"
    int dimension = 3;         // coordinates per point
    Capacities cap{};

    // Fixed paths as the program shows them; every one maps onto the data folder.
    std::string control_path;     // e.g. "F:ERR$$$.TXT"
    std::string report_prefix;    // folder literal before the report name, e.g. "H:\TEST\IG\"
    std::string input_prefix;     // folder literal before the input name
    int report_name_length = 12;  // characters of the typed report name kept (TISK)
    int input_name_length = 12;   // characters of the typed input name kept (STJ)
    int path_length = 26;         // ADRESA, ADRESB

    // Console banner: the fixed records between the frames (records 3 to 7 of the spatial
    // program), then the start of the date record and the start of the time record.
    std::vector<std::string> banner_body;
    std::string banner_date_start;  // followed by "Datum: " and the date, then " *"
    std::string banner_time_start;  // followed by "Čas: " and the time, then "   *"
    std::vector<std::string> banner_after_time;  // fixed records between the time and the frame

    // Dialogue texts: the two records of each prompt.
    std::string report_prompt[2];
    std::string input_prompt[2];

    // Report texts of this program.
    std::string report_header;        // the header up to "Datum: " included (46 characters)
    std::string code_heading = "kod"; // heading of the placement-code column

    // Switches.
    bool coordinate_sigma_table = false;  // the table of coordinate standard deviations
    bool echo_read_error = false;         // a faulty input record echoed to the control file
    // The read error of a deformation program: its console record copied to the control file,
    // then the echo of the faulty record's first line closed by "..." and an empty record.
    bool echo_record_line = false;
    bool control_paths_record = true;     // the record with both paths after the dialogue
    // The 21st point and the 100th measured quantity first write a record to the control file.
    bool capacity_control_records = false;

    // Two epochs: each observation record holds the value of epoch (o), the value of epoch (i)
    // and the weight; the rows adjust the differences between the epochs at the epoch-(o)
    // coordinates, and the report tables show both epochs.
    bool two_epochs = false;
    // Angle and distance rows past the row capacity are not stored but still listed, each angle
    // row with the pause " NM > JM ", and the row halt follows the distance rows; a zenith row past
    // it pauses and halts at once. False: the first row past the capacity ends the run.
    bool rows_past_capacity_listed = false;
    PassLoop loop;
    // Set in the deformation programs: the displacement analysis of point pairs.
    std::optional<PairAnalysis> pairs;

    Messages text;  // every other text of the run

    // The program's own interactive part after the report (may be empty).
    std::function<void(Run&)> interactive;
};

}  // namespace adjustment
