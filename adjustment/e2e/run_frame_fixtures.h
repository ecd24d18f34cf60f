// The console programs that share the run frame, the example network and database each of them
// is run on, and the question at which each waits last.
#pragma once
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "testsupport/runner.h"

namespace run_frame {

struct Program {
    const char* name;
    const char* path;
};
inline const Program programs[] = {PROGRAMS};

inline std::string example(const std::string& name) {
    std::ifstream in(std::string(EXAMPLES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The example network each program reads and, for a program that asks for a point database,
// the example database it is given ("" for none).
struct Fixture {
    std::string input;
    std::string database;
    bool asks_database() const { return !database.empty(); }
    // The answers to the file questions: report, input and database.
    std::string names() const { return "R.TXT\nIN.TXT\n" + (asks_database() ? database + "\n" : ""); }
};
inline Fixture setup_of(const std::string& program) {
    if (program == "planor") return {"PLANE.TXT", "BODY.DB"};
    if (program == "kaspen") return {"DEFORM.TXT", ""};
    if (program.rfind("rudvik", 0) == 0) return {"PLANEDEF.TXT", "PLANEDEF.DB"};
    return {"DEMO.TXT", ""};
}

// A data folder with the program's input as IN.TXT and its example database.
inline void fill(const testsupport::DataFolder& folder, const Fixture& s) {
    folder.write("IN.TXT", example(s.input));
    if (s.asks_database()) folder.write(s.database, example(s.database));
}

// Whether the program offers computations after its report tables (the adjustment programs).
inline bool offers(const std::string& program) {
    return program != "kaspen" && program.rfind("rudvik", 0) != 0;
}

// The last question a run waits at: the first offer after the report tables, or, in the
// deformation programs, which ask none, their last file question. The answers given before it
// and a text of its prompt.
struct LastQuestion {
    std::string answers;
    std::string prompt;
};
inline LastQuestion last_question(const std::string& program) {
    const Fixture s = setup_of(program);
    if (offers(program)) return {s.names(), "mezi body i,j"};
    if (s.asks_database()) return {"R.TXT\nIN.TXT\n", "bez databáze = n"};
    return {"R.TXT\n", "Jméno vstupního souboru"};
}

// Whether the screen line ends with a message; how many lines do.
inline bool ends_with(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}
inline int lines_ending(const std::vector<std::string>& lines, const std::string& end) {
    int n = 0;
    for (const std::string& l : lines) n += ends_with(l, end);
    return n;
}

}  // namespace run_frame
