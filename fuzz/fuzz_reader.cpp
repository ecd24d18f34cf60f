// Fuzz target of the input reader: arbitrary bytes as the input data file of whole runs,
// in-process: one of the spatial adjustment program (the reader's spatial layout) and one of
// the plane adjustment program (the plane layout) with a small point database, so that the
// database points, their search and the exit block's storing are reached too. The console
// answers the file names and "n" to every offer. The fuzzer looks for crashes, memory faults,
// undefined behaviour and runs that do not end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "adjustment/run.h"
#include "library/pointdb.h"
#include "plane_adjustment/profile.h"
#include "platform/console.h"
#include "spatial_adjustment/builds.h"

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

// A fresh database of the points 1, 2, 3 and 5 for every plane run (the name is used as typed,
// relative to the current directory, so the path is given whole).
void fresh_database(const fs::path& path) {
    std::error_code ec;
    fs::remove(path, ec);
    library::PointDatabase db;
    if (!db.open(path)) std::abort();
    library::Index PB = 0;
    for (std::int16_t n : {1, 2, 3, 5})
        library::BULOZ(db, PB, n, 1000.0 * n, 2000.0 * n, 0.0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const adjustment::Profile spatial = spatial_adjustment::profile(spatial_adjustment::Build::main);
    static const adjustment::Profile plane = plane_adjustment::profile();
    const fs::path& folder = data_folder();
    {
        std::ofstream input(folder / INPUT, std::ios::binary | std::ios::trunc);
        input.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::error_code ec;
    {
        platform::ScriptConsole console({REPORT, INPUT, "n", "n", "n", "n", "n"});
        adjustment::run_program(spatial, console);
        fs::remove(folder / REPORT, ec);
    }
    {
        const fs::path database = folder / DATABASE;
        fresh_database(database);
        platform::ScriptConsole console({REPORT, INPUT, database.string(), "n", "n", "n", "n", "n"});
        adjustment::run_program(plane, console);
        fs::remove(folder / REPORT, ec);
    }
    return 0;
}
