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
    int list_capacity = 260;      // entries of the normalised displacement list
    bool wide_covariance = false; // the covariance term Qxy and sigma_d held as 64-bit reals
};

// What a read error echoes to the control file after its record number.
enum class ReadErrorEcho {
    none,
    next_line,      // the line after the one where the read stopped
    faulty_record,  // the first line of the faulty record followed by "...", then an empty record
};

// What the program says of itself when it is started with an argument (it takes none).
struct About {
    std::string name;     // its command, e.g. "ostrel-f"
    std::string version;  // the version that its banner shows
    std::string summary;  // what it computes, in a few lines
};

struct Profile {
    About about;
    int dimension = 3;         // coordinates per point
    Capacities cap{};

    // Fixed paths as the program shows them; every one maps onto the data folder.
    std::string control_path;     // e.g. "F:ERR$$$.TXT"
    std::string report_prefix;    // folder literal before the report name, e.g. "H:\TEST\IG\"
    std::string input_prefix;     // folder literal before the input name
    int report_name_length = 12;  // characters of the typed report name kept (TISK)

    // Console banner: the fixed records between the frames (records 3 to 7 of the spatial
    // program), then the start of the date record and the start of the time record.
    std::vector<std::string> banner_body;
    std::string banner_date_start;  // followed by "Datum: " and the date, then " *"
    std::string banner_time_start;  // followed by "Čas: " and the time, then "   *"
    std::vector<std::string> banner_after_time;  // fixed records between the time and the frame
    // The frame of stars around the records, the empty lines before and after the banner, the
    // label of the time and the ends of the date and time records.
    bool banner_frame = true;
    int banner_empty_before = 26;
    int banner_empty_after = 4;
    std::string banner_time_label = "Čas: ";
    std::string banner_date_end = " *";
    std::string banner_time_end = "   *";

    // Dialogue texts: the two records of each prompt (an empty second record is not shown).
    std::string report_prompt[2];
    std::string input_prompt[2];

    // Report texts of this program.
    std::string report_header;        // the header up to "Datum: " included (46 characters)
    std::string code_heading = "kod"; // heading of the placement-code column

    // Switches.
    bool coordinate_sigma_table = false;  // the table of coordinate standard deviations
    ReadErrorEcho read_error_echo = ReadErrorEcho::none;

    // Start-up and file dialogue.
    bool control_before_banner = false;  // the control file is opened before the banner
    bool control_heading = true;         // its first record and two empty records
    bool control_paths = true;           // the record with both full paths after the dialogue
    // An existing report file is refused with the typed name right-aligned in 24 columns
    // (instead of the first 24 characters of the full path).
    bool refusal_shows_typed_name = false;
    // A missing input file is refused with the first 24 characters of the full path (instead
    // of the typed name right-aligned in 24 columns).
    bool input_refusal_shows_path = false;
    // The end message names the report as typed and adds the print hint (instead of the full
    // path and an empty-looking record).
    bool end_message_with_print_hint = false;

    // Point database. An empty prompt: the program never asks for one and never opens one.
    std::string database_prompt;
    // A point record with this placement code or a lower one takes its coordinates from the
    // point database.
    std::int16_t database_code = -2;

    // Switches of the adjustment chain.
    // Derived-observation rows beyond the capacity are never stored. true: the run halts at the
    // first one (after the pause " NM > JM " for an angle or zenith angle); false: a pause for
    // every angle row beyond it, and the halt after the distance rows.
    bool halt_at_first_extra_row = true;
    // The determinacy check also asks whether the condition rows and the fixed components fix
    // every motion that the observations cannot see: the shifts, the rotation about the vertical,
    // without distances the scale, and in space the height of a point that no row sees.
    // Otherwise it only counts rows, unknowns and conditions.
    bool datum_motions_checked = false;
    // An angle from two consecutive directions of a station to one target. true: the target's
    // coefficients are the sum of its left and right roles (zero); false: the right target's
    // replace the left target's in the same columns.
    bool same_target_angle_sums = false;
    // The same-coordinates message lists the point numbers and their positions.
    bool same_coordinates_lists_points = true;
    // Solutions at most before the non-convergence advice.
    int pass_limit = 100;
    // The redundancy and the a-posteriori unit standard deviation are also shown on the console.
    bool test_lines_on_console = true;

    // The observation tables: weighted statistics ([pv], only |v| above 0.001 counted) or plain
    // ones ([v], every correction), and the layout of the weight and correction columns.
    bool weighted_statistics = true;
    struct Column {
        int blanks_before, width, decimals;
    };
    Column weight_column{0, 10, 1};
    Column correction_column{0, 10, 1};
    int empty_after_direction_block = 2;

    // The read error's console record also goes to the control file (before the echo).
    bool read_error_to_control = false;
    // A point or a measured quantity beyond the capacity first writes a record to the control
    // file, then the halt.
    bool capacity_control_records = false;

    // Two epochs: each observation record holds the value of epoch (o), the value of epoch (i)
    // and the weight; the rows adjust the differences between the epochs at the epoch-(o)
    // coordinates, and the report tables show both epochs.
    bool two_epochs = false;
    // Two epochs: the misclosure lists of the first pass give the points' positions in the point
    // list and the epoch-(o) misclosure beside the change (false: point numbers and the change).
    bool change_list_with_misclosure = true;
    // Two epochs: the columns of a table row after the value of epoch (o), and its last column:
    // value(o) - value(i) in every table (also without corrections, except for distances), or
    // only in the distance table, there the distance's own right-hand side value(i) - value(o).
    struct EpochRow {
        Column epoch_i{5, 10, 1};
        Column weight{0, 9, 1};
        Column correction{0, 9, 1};
        Column change{0, 9, 1};
        bool change_o_minus_i = true;
    } epoch_row;
    // An empty record after the column records of the plane coordinate and ellipse table.
    bool empty_after_ellipse_heading = true;
    PassLoop loop;
    // Set in the deformation programs: the displacement analysis of point pairs.
    std::optional<PairAnalysis> pairs;

    Messages text;  // every other text of the run

    // The program's own interactive part after the report (may be empty).
    std::function<void(Run&)> interactive;
};

}  // namespace adjustment
