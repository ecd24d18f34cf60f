// A table of console runs of the spatial adjustment program and its builds: for each run the
// answers typed on the console, the files placed in the data folder, the exit status expected
// and the lines and columns to check on the screen, in the report and in the control file.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "testsupport/runner.h"

namespace e2e {

// Paths of the five programs, given by the build.
extern const char* const OSTREL;
extern const char* const VINTRA;
extern const char* const OSTREL_F;
extern const char* const OSTREL_DATA;
extern const char* const OSTREL_C;

// The bytes of a fixture file of the folder fixtures/.
std::string fixture(const std::string& name);
using testsupport::blanks;
using testsupport::left;
using testsupport::right;

// Where a check looks: the console screen (records without their carriage-control character),
// the report file or the control file ERR$$$.TXT (both read as code page 1250, shown in UTF-8).
enum class Where { screen, report, control };

enum class Kind {
    columns,    // the characters from column `from` on equal `text`
    whole,      // the whole line equals `text`
    length,     // the line has `n` characters
    count,      // `n` lines begin with `text`
    after,      // `n` lines follow the line that begins with `anchor`
    rest,       // the line that begins with `anchor` goes on with `text`, blanks around it aside
    words,      // the line's blank-separated words are those of `text`
    last,       // the last line equals `text`
    lines,      // the file or screen has `n` lines
    bytes,      // the control file holds exactly the bytes `text`
    unchanged,  // the data-folder file `text` holds the bytes it was given before the run
    exists,     // the data-folder file `text` exists after the run
    missing,    // the data-folder file `text` does not exist after the run
};

// One check. The line is the first one that begins with `anchor`, moved by `offset` lines
// (negative: lines before it); with an empty anchor, `offset` is the line number counted from 1.
struct Check {
    Kind kind;
    Where where = Where::screen;
    std::string anchor;
    int offset = 0;
    int from = 1;
    std::string text;
    int n = 0;
};

Check columns(Where w, std::string anchor, int offset, int from, std::string text);
Check whole(Where w, std::string anchor, int offset, std::string text);
Check length(Where w, std::string anchor, int offset, int n);
Check count(Where w, std::string begins, int n);
Check after(Where w, std::string anchor, int n);
Check rest(Where w, std::string anchor, std::string text);
Check words(Where w, std::string anchor, int offset, std::string text);
Check last(Where w, std::string text);
Check lines(Where w, int n);
Check control_bytes(std::string bytes);
Check unchanged(std::string file);
Check exists(std::string file);
Check missing(std::string file);

// A file placed in the data folder before the run.
struct File {
    std::string name;
    std::string bytes;
};
// The fixture file fixtures/<name>, under the same name.
File fixture_file(const std::string& name);

struct Case {
    std::string name;          // names the test
    const char* program;       // one of the five paths above
    std::string input;         // console answers, one per line
    std::vector<File> files;   // the data folder's files before the run
    int status;                // exit status expected
    std::string report;        // name of the report file in the data folder
    std::vector<Check> checks;
};

// Names the case in the test list (instead of its bytes).
inline void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

// Runs the case in a fresh data folder and checks everything it names (gtest expectations).
void run_case(const Case& c);

}  // namespace e2e
