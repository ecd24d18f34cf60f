// Fuzz target of the input reader: arbitrary bytes as the input data file of a whole run of the
// spatial adjustment, in-process. The console answers the report name, the input name and "n"
// to every offer; the run reads the file, adjusts what it can and writes its report. The fuzzer
// looks for crashes, memory faults, undefined behaviour and runs that do not end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "adjustment/run.h"
#include "platform/console.h"
#include "spatial_adjustment/builds.h"

namespace {

namespace fs = std::filesystem;

const char* const REPORT = "FUZZ.TXT";
const char* const INPUT = "INPUT.TXT";

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const adjustment::Profile profile = spatial_adjustment::profile(spatial_adjustment::Build::main);
    const fs::path& folder = data_folder();
    {
        std::ofstream input(folder / INPUT, std::ios::binary | std::ios::trunc);
        input.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    platform::ScriptConsole console({REPORT, INPUT, "n", "n", "n", "n", "n"});
    adjustment::run_program(profile, console);
    std::error_code ec;
    fs::remove(folder / REPORT, ec);
    return 0;
}
