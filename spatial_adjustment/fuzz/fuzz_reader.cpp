// Fuzz target of the spatial adjustment's run: arbitrary bytes as the input data file and as the
// console answers of a whole run, in-process. The bytes before the first NUL byte are the input
// file; the bytes after it are the answers, one per line: the report and input names of the
// dialogue, the yes/no answers of the offers and the point numbers of the interactive
// computations. Without a NUL byte every byte is the input file, and the console answers the
// report name, the input name and "n" to every offer. The fuzzer looks for crashes, memory faults,
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const adjustment::Profile profile = spatial_adjustment::profile(spatial_adjustment::Build::main);
    const fs::path& folder = data_folder();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t separator = bytes.find('\0');
    const std::string_view file = bytes.substr(0, separator);
    {
        std::ofstream input(folder / INPUT, std::ios::binary | std::ios::trunc);
        input.write(file.data(), static_cast<std::streamsize>(file.size()));
    }
    platform::ScriptConsole console(separator == std::string_view::npos
                                        ? std::vector<std::string>{REPORT, INPUT, "n", "n", "n", "n", "n"}
                                        : answers_of(bytes.substr(separator + 1)));
    adjustment::run_program(profile, console);
    clear(folder);
    return 0;
}
