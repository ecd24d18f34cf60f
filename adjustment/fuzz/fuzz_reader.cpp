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

#include "adjustment/profile.h"
#include "adjustment/run.h"
#include "platform/console.h"

namespace {

namespace fs = std::filesystem;

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

// The constants and texts of the spatial adjustment program's main build.
adjustment::Profile main_build() {
    adjustment::Profile p;
    p.name = "ostrel";
    p.dimension = 3;
    p.cap = {44, 180, 50, 172, 60, 60, 66};
    p.control_path = "F:ERR$$$.TXT";
    p.report_prefix = "H:\\TEST\\IG\\";
    p.input_prefix = "H:\\TEST\\IG\\";
    p.banner_body = {
        " * Program pro výpočet geodetických úloh v E-3" + blanks(25) + "*",
        " * v místní souřadnicové soustavě             " + blanks(25) + "*",
        " * 44 bodů, 180 měřených veličin              " + blanks(25) + "*",
        " * Vstupní soubor je nutné umístit do H:\\TEST\\IG" + blanks(23) + "*",
        " * Kontrolní soubor  F:ERR$$$.TXT              " + blanks(25) + "*",
    };
    p.banner_date_start = " * 15/05/1999  ver. 3.08" + blanks(29);
    p.banner_time_start = " *" + blanks(53);
    p.report_prompt[0] = "Jméno výstupního souboru (pro tisk výsledků) ";
    p.report_prompt[1] = "ve tvaru [H:\\TEST\\IG\\] EExxyyzz.TXT";
    p.input_prompt[0] = "Jméno vstupního souboru (souřadnice,směry,délky,..) ";
    p.input_prompt[1] = "ve tvaru [H:\\TEST\\IG\\] Exxyyzzz.TXT";
    p.report_header = " TERVAL 3.07 Prostorová síť   Ostrel   Datum: ";
    p.code_heading = "kod";
    return p;
}

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
    static const adjustment::Profile profile = main_build();
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
