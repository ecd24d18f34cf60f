// Constants, texts and switches of the plane adjustment program. Its texts are its own: many are
// written without diacritics, and its report blocks start in the first column.
#include "plane_adjustment/profile.h"

#include <string>

namespace plane_adjustment {

namespace {

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

void set_texts(adjustment::Messages& t) {
    t.result_file = "Vysledky vypoctu jsou v souboru :  ";
    t.report_exists = " - tento soubor jiz existuje";
    t.input_missing = " - tento soubor neexistuje";

    t.read_error = "  chyba ve cteni vstupnich dat na radku c.: ";
    t.no_database = "Zadna DATABAZE bodu neni inicializovana ";
    t.too_many_points = "Chyba ve vstupu, max. pocet bodu je 30";
    t.too_many_quantities = "Chyba ve vstupu, max. pocet mereni je 199";
    t.too_many_distances = "Chyba ve vstupu, max. pocet delek je 70";

    t.print_coordinates = "Tisk souradnic ";
    t.action = "Akce: ";
    t.apriori_labels = {
        "základní směr.odch. směru  [cc]       =",
        "základní směr.odch. délky  [mm]       =",
        "základní směr.odch.jednotková         =",
        "základní směr.odch. souřadnicová [mm] =",
    };
    t.coordinates_heading_start = " číslo bodu" + blanks(8) + "X" + blanks(14) + "Y" + blanks(9);
    t.report_time = "   Cas: ";
}

}  // namespace

adjustment::Profile profile() {
    adjustment::Profile p;
    p.name = "planor";
    p.dimension = 2;
    p.cap = {.points = 30, .quantities = 199, .distances = 70, .rows = 172, .unknowns = 60,
             .conditions = 60, .cov_order = 66};
    p.control_path = "F:\\ERR$$$.TXT";
    p.report_prefix = "F:\\";
    p.input_prefix = "H:\\TEST\\IG\\";
    p.report_name_length = 20;
    p.input_name_length = 12;
    p.banner_body = {
        " * Program pro výpočet geodetických úloh v E-2" + blanks(25) + "*",
        " * v místní souřadnicové soustavě             " + blanks(25) + "*",
        " * 30bodů, 199 měřených veličin               " + blanks(25) + "*",
        " * Vstupní soubor je nutné umístit do H:\\TEST\\IG" + blanks(23) + "*",
        " * Kontrolní soubor F:\\ERR$$$.TXT             " + blanks(25) + "*",
    };
    p.banner_date_start = " * 15/05/1999  ver. 1.07" + blanks(29);
    p.banner_time_start = " *" + blanks(53);
    p.report_prompt[0] = "Jméno výstupního souboru (pro tisk výsledků) ";
    p.report_prompt[1] = "ve tvaru [F:\\        ] EExxyyzz.TXT";
    p.input_prompt[0] = "Jméno vstupního souboru (souřadnice,směry,délky,..) ";
    p.input_prompt[1] = "ve tvaru [H:\\TEST\\IG\\] Exxyyzzz.TXT";
    p.report_header = "TERVAL         ORMEK ver.3.01      Datum: ";
    p.code_heading = "kód";

    p.echo_faulty_record = true;
    p.control_before_banner = true;
    p.control_heading = false;
    p.control_paths = false;
    p.refusal_shows_typed_name = true;
    p.end_message_with_print_hint = true;
    p.database_prompt = "Jmeno databaze (souboru bodu), bez databaze = n";
    p.database_name_length = 24;
    p.database_code = -1;
    // The plane equations and the solution are not built yet: the run ends after the input.
    p.adjusts = false;

    set_texts(p.text);
    return p;
}

}  // namespace plane_adjustment
