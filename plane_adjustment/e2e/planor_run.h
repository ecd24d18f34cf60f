// Running the plane adjustment program as a user would, and reading what it leaves: the screen
// lines, the report and control file (code page 1250, shown in UTF-8) and the point database
// (32-byte records).
#pragma once
#include <string>
#include <vector>

#include "testsupport/database_records.h"
#include "testsupport/runner.h"

namespace planor_e2e {

// The report file name that the runs answer first.
inline const std::string REPORT = "VYSL.TXT";
inline const std::string CONTROL = "ERR$$$.TXT";

using Result = testsupport::RunLines;

// Runs planor in the folder with the given console answers (one per line).
Result run(const testsupport::DataFolder& folder, const std::string& answers);
// Runs planor on the input file INPUT.TXT holding `input`, with the report VYSL.TXT (the one of
// an earlier run removed first) and the database answer `database` ("n" for none).
Result run_input(const testsupport::DataFolder& folder, const std::string& input, const std::string& database = "n");

// The position (from 0) of the first line equal to `text`, or -1.
int find(const std::vector<std::string>& lines, const std::string& text);
using testsupport::find_start;

using testsupport::blanks;
using testsupport::left;
using testsupport::right;

// Records of the point database, written and read from the file layout.
using testsupport::DbRecord;
using testsupport::db_bytes;
using testsupport::db_records;

// A plane input: title, a-priori record "5.0 3.0 1.0 2.0", the point records, a terminator,
// then the observation sections as given (each with its terminator).
std::string plane_input(const std::vector<std::string>& points, const std::vector<std::string>& directions = {},
                        const std::vector<std::string>& distances = {});
// The bytes of a file of examples/.
std::string example(const std::string& name);

}  // namespace planor_e2e
