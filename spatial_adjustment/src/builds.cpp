// Constants, texts and switches of the five builds of the spatial adjustment program.
#include "spatial_adjustment/builds.h"

#include <string>

#include "platform/record.h"
#include "spatial_adjustment/interactive.h"

namespace spatial_adjustment {

namespace {

using platform::blanks;

// The build's command, its version as the banner shows it, and the banner record with both.
void name_build(adjustment::Profile& p, const std::string& name, const std::string& date, const std::string& version) {
    p.about.name = name;
    p.about.version = version;
    p.banner_date_start = " * " + date + "  ver. " + version + blanks(29);
}

adjustment::Profile main_profile() {
    adjustment::Profile p;
    p.about.summary =
        "Least-squares adjustment of a local spatial geodetic network: horizontal directions, zenith angles\n"
        "and slope distances; a report of the corrections, the adjusted coordinates and their error\n"
        "ellipsoids, then distances, height differences and angles between chosen points.";
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
    name_build(p, "ostrel", "15/05/1999", "3.08");
    p.banner_time_start = " *" + blanks(53);
    p.report_prompt[0] = "Jméno výstupního souboru (pro tisk výsledků) ";
    p.report_prompt[1] = "ve tvaru [H:\\TEST\\IG\\] EExxyyzz.TXT";
    p.input_prompt[0] = "Jméno vstupního souboru (souřadnice,směry,délky,..) ";
    p.input_prompt[1] = "ve tvaru [H:\\TEST\\IG\\] Exxyyzzz.TXT";
    p.report_header = " TERVAL 3.07 Prostorová síť   Ostrel   Datum: ";
    p.code_heading = "kod";
    // An angle between two sightings of one target in a row adds the target's two roles, and
    // a network whose conditions leave a shift, the rotation, the scale or a height free is
    // refused as under-determined: the same answers as the other programs of the suite.
    p.same_target_angle_sums = true;
    p.datum_motions_checked = true;
    p.interactive = offer_computations;
    return p;
}

const std::string control_72 = " * Kontrolní soubor ERR$$$.TXT                " + blanks(25) + "*";

}  // namespace

adjustment::Profile profile(Build build) {
    adjustment::Profile p = main_profile();
    switch (build) {
        case Build::main:
            break;
        case Build::vintra:
            p.control_path = "F:\\ERR$$$.TXT";
            p.report_prefix = "F:\\";
            p.banner_body[4] = control_72;
            name_build(p, "vintra", "15/05/1999", "3.07");
            p.coordinate_sigma_table = true;
            break;
        case Build::f_drive:
            p.control_path = "F:\\ERR$$$.TXT";
            p.report_prefix = "F:\\";
            p.report_name_length = 20;
            p.banner_body[3] = " * Vstupní soubor je generovan do H:\\TEST\\IG\\   " + blanks(23) + "*";
            p.banner_body[4] = " * Kontrolní soubor F:\\ERR$$$.TXT             " + blanks(25) + "*";
            name_build(p, "ostrel-f", "04/01/2000", "3.07");
            p.report_prompt[1] = "ve tvaru [F:\\        ] EExxyyzz.TXT";
            p.report_header = " TERVAL 3.08 Prostorová síť   Ostrel   Datum: ";
            p.code_heading = "kód";
            p.read_error_echo = adjustment::ReadErrorEcho::next_line;
            break;
        case Build::data_directory:
            p.control_path = "H:\\TEST\\IG\\ERR$$$.TXT";
            p.banner_body[4] = control_72;
            name_build(p, "ostrel-data", "15/05/1999", "3.07");
            break;
        case Build::c_drive:
            p.control_path = "C:\\TEST\\IG\\ERR$$$.TXT";
            p.report_prefix = "C:\\TEST\\IG\\";
            p.input_prefix = "C:\\TEST\\IG\\";
            p.banner_body[3] = " * Vstupní soubor je generovan do C:\\TEST\\IG\\   " + blanks(23) + "*";
            p.banner_body[4] = " * Kontrolní soubor C:\\TEST\\IG\\ERR$$$.TXT     " + blanks(25) + "*";
            name_build(p, "ostrel-c", "04/01/2000", "3.07");
            p.report_prompt[1] = "ve tvaru [C:\\TEST\\IG\\] EExxyyzz.TXT";
            p.input_prompt[1] = "ve tvaru [C:\\TEST\\IG\\] Exxyyzzz.TXT";
            p.report_header = " TERVAL 3.08 Prostorová síť   Ostrel   Datum: ";
            p.code_heading = "kód";
            p.read_error_echo = adjustment::ReadErrorEcho::next_line;
            break;
    }
    return p;
}

}  // namespace spatial_adjustment
