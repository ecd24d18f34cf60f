// Fuzz target of whole runs: arbitrary bytes as the input data file and as the console answers,
// in-process, given to the spatial adjustment program (the reader's spatial layout) and then to
// the plane adjustment program (the plane layout, with a small point database, so that the
// database points, their search and the exit block's storing are reached too), and to the
// spatial deformation program (the two-epoch layout and the pair analysis) and the plane
// deformation program (the plane two-epoch layout, with the database). The bytes before
// the first NUL byte are the input file; the bytes after it are the answers, one per line: the
// report and input names of the dialogue, the database name, the yes/no answers of the offers
// and the point numbers of the interactive computations. Without a NUL byte every byte is the
// input file, and the console answers the report name, the input name, the database name of
// the plane program and "n" to every offer. The fuzzer looks for crashes, memory faults,
// undefined behaviour and runs that do not end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "adjustment/run.h"
#include "library/pointdb.h"
#include "plane_adjustment/profile.h"
#include "plane_deformation/builds.h"
#include "platform/console.h"
#include "spatial_adjustment/builds.h"
#include "spatial_deformation/profile.h"

namespace {

namespace fs = std::filesystem;

const char* const REPORT = "FUZZ.TXT";
const char* const INPUT = "INPUT.TXT";
const char* const DATABASE = "FUZZ.DB";

// The data folder of all runs, made once, named to the program through TERVAL_DATA and removed
// when the fuzzer ends (the path is never destroyed, so the exit handler may still read it).
const fs::path& data_folder() {
    static const fs::path* const folder = [] {
        std::string pattern = (fs::temp_directory_path() / "fuzz-reader-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        setenv("TERVAL_DATA", pattern.c_str(), 1);
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(data_folder(), ec);
        });
        return new fs::path(pattern);
    }();
    return *folder;
}

// The answers after the NUL byte, split at line feeds. A typed name is used as typed, so a "/"
// could name a file outside the data folder: it is typed as "_" here.
std::vector<std::string> answers_of(std::string_view typed) {
    std::vector<std::string> answers(1);
    for (char c : typed) {
        if (c == '\n') answers.emplace_back();
        else answers.back() += c == '/' ? '_' : c;
    }
    return answers;
}

// Empties the data folder, so that no run sees the files of the one before.
void clear(const fs::path& folder) {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) fs::remove_all(entry.path(), ec);
}

void write_input(const fs::path& folder, std::string_view file) {
    std::ofstream input(folder / INPUT, std::ios::binary | std::ios::trunc);
    input.write(file.data(), static_cast<std::streamsize>(file.size()));
}

// A database of the points 1, 2, 3 and 5 for the plane run.
void write_database(const fs::path& folder) {
    library::PointDatabase db;
    if (!db.open(folder / DATABASE)) std::abort();
    library::Index PB = 0;
    for (std::int16_t n : {1, 2, 3, 5}) library::BULOZ(db, PB, n, 1000.0 * n, 2000.0 * n, 0.0);
}

// One run in the data folder, which is the current directory during the run (a database name
// is used as typed, relative to it) and only then: the fuzzer reads its corpus by relative paths.
void run(const adjustment::Profile& profile, const fs::path& folder, std::string_view file,
         std::vector<std::string> answers) {
    write_input(folder, file);
    write_database(folder);
    const fs::path back = fs::current_path();
    fs::current_path(folder);
    platform::ScriptConsole console(std::move(answers));
    adjustment::run_program(profile, console);
    fs::current_path(back);
    clear(folder);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const adjustment::Profile spatial = spatial_adjustment::profile(spatial_adjustment::Build::main);
    static const adjustment::Profile plane = plane_adjustment::profile();
    static const adjustment::Profile deformation = spatial_deformation::profile();
    static const adjustment::Profile plane_two_epochs = plane_deformation::profile(plane_deformation::Build::main);
    const fs::path& folder = data_folder();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t separator = bytes.find('\0');
    const std::string_view file = bytes.substr(0, separator);
    const bool typed = separator != std::string_view::npos;
    const std::vector<std::string> answers = typed ? answers_of(bytes.substr(separator + 1)) : std::vector<std::string>{};
    run(spatial, folder, file, typed ? answers : std::vector<std::string>{REPORT, INPUT, "n", "n", "n", "n", "n"});
    run(plane, folder, file, typed ? answers : std::vector<std::string>{REPORT, INPUT, DATABASE, "n", "n", "n", "n"});
    run(deformation, folder, file, typed ? answers : std::vector<std::string>{REPORT, INPUT});
    run(plane_two_epochs, folder, file, typed ? answers : std::vector<std::string>{REPORT, INPUT, DATABASE});
    return 0;
}
