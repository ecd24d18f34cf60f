// Constants, texts and switches of the plane adjustment program. Its texts are its own: many are
// written without diacritics, and its report blocks start in the first column.
#include "plane_adjustment/profile.h"

#include <string>

#include "plane_adjustment/interactive.h"
#include "platform/record.h"

namespace plane_adjustment {

namespace {

using platform::blanks;

// The input texts; the capacity messages name the capacities of the profile.
void set_texts(adjustment::Messages& t, const adjustment::Capacities& cap) {
    t.result_file = "Vysledky vypoctu jsou v souboru :  ";
    t.report_exists = " - tento soubor jiz existuje";
    t.report_no_name = " - chybi jmeno souboru";
    t.report_is_folder = " - toto je slozka, ne soubor";
    t.report_no_folder = " - slozka pro tento soubor neexistuje";
    t.report_not_created = " - tento soubor nelze vytvorit";
    t.files_exhausted = "Soubor nelze otevrit, systemu chybi volne prostredky: ";
    t.converter_unavailable = "Prevod znaku nelze pripravit, program konci";
    t.run_broken_off = "Vypocet nelze dokoncit: ";
    t.input_missing = " - tento soubor neexistuje";

    t.read_error = "  chyba ve cteni vstupnich dat na radku c.: ";
    t.decimal_comma = "  desetinna cisla piste s desetinnou teckou, ne s carkou";
    t.no_database = "Zadna DATABAZE bodu neni inicializovana ";
    t.too_many_points = "Chyba ve vstupu, max. pocet bodu je " + std::to_string(cap.points);
    t.too_many_quantities = "Chyba ve vstupu, max. pocet mereni je " + std::to_string(cap.quantities);
    t.too_many_distances = "Chyba ve vstupu, max. pocet delek je " + std::to_string(cap.distances);

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

// The texts of the adjustment and of the report tables.
void set_adjustment_texts(adjustment::Messages& t, const adjustment::Capacities& cap) {
    t.missing_point[0] = "Cislo stanoviska nebo cile neexistuje v seznamu";
    t.missing_point[1] = "souradnic";
    t.missing_point[2] = "Provedte opravu dat, vymazte vystupni soubor - ";
    t.missing_point[3] = "a znovu provedte vypocet";
    t.same_coordinates = " Chyba - Jsou zadany stejne souradnice pro dva body";
    t.rows_over_halt = "Chyba ve vstupu, mer. delek muze byt max. " + std::to_string(cap.rows);
    t.row_count.clear();  // the plane program has no check of the two row counters
    t.row_numbering.clear();
    t.no_reference = "*** Chyba v zadani: Chybi bod s cislem kodu 6 ***";
    t.few_conditions = " dim G() < 3, tj IR<3 ";
    t.underdetermined[0] = " Chyba - uloha je nedostatecne urcena";
    t.underdetermined[1] = "         tj. maly pocet podminek umisteni site";
    t.underdetermined[2] = "         nebo nedostatecne zamereni site";

    t.weights_singular = "chyba v inverzi PP()";
    t.go_on = "dale ?";
    t.normal_singular[0] = "chyba v inverzi MI()";
    t.normal_singular[1] = " zrejme spatne zadane podminky na umisteni site,";
    t.normal_singular[2] = " nejprve ale provedte kontrolu vstupnich velicin";
    t.extend_dimensions = "  chyba v dimenzich pri rozsirovani matic H(), R()";
    t.reduce_dimensions = "  nesouhlasi dimenze n pred redukci a po navratu";
    t.no_convergence = {
        " ",
        "         ***** P O Z O R ! *****",
        "  Zpusob zadani vypoctu nevede k vysledku",
        "  Mozna naprava:",
        "    a)  zkontrolujte vsechny zadane hodnoty",
        "    b)  provedte lepsi odhad pribliznych souradnic",
        "    c)  seradte merene veliciny ve smyslu dany bod ",
        "        - urceny bod - urcovany bod",
        "    c)  precislujte body (souradnice, smery, delky)",
    };
    t.finished = " Jiz jsem dopocital, pokracuje tisk a dialog";
    t.sigma0 = " Směrodat.odchylka jednotk. po vyrov. = ";
    t.sigma0_rejected = " !!! Měření neodpovídá základní směrod. odch. !!!";

    t.print_distances = "Tisk delek ";
    t.directions_heading_r0[1] = "                      [cc] ";
    t.pv = " [v] = ";
    t.direction_sigma = " Směrod.odchyl.směru = ";
    t.all_directions = " Pro všechny směry:";
    t.distance_sigma = " Směrodat.odch.délky = ";
    t.print_results = "Tisk vyslednych souradnic";
    t.used_sigma0 = " Uvažovaná směrodat odch.jednotková  =";
    t.mean_sigma = " Průměrná směrod.odch. souřadnicová  =";
}

// The switches of the adjustment chain and of the report tables.
void set_adjustment(adjustment::Profile& p) {
    p.halt_at_first_extra_row = false;
    p.same_coordinates_lists_points = false;
    p.same_target_angle_sums = true;
    // A network whose conditions leave a shift, the rotation, the scale or a height free is
    // refused as under-determined, not solved into noise.
    p.datum_motions_checked = true;
    p.test_lines_on_console = false;
    p.weighted_statistics = false;
    p.weight_column = {2, 7, 2};
    p.correction_column = {3, 7, 1};
    p.empty_after_direction_block = 1;
    set_adjustment_texts(p.text, p.cap);
}

}  // namespace

adjustment::Profile profile() {
    adjustment::Profile p;
    p.about = {"planor", "1.07",
               "Least-squares adjustment of a local plane geodetic network: directions and distances; a report\n"
               "of the corrections, the adjusted coordinates and their error ellipses, then distances and angles\n"
               "between chosen points. Known points are kept in a point database between runs."};
    p.dimension = 2;
    p.cap = {.points = 30, .quantities = 199, .distances = 70, .rows = 172, .unknowns = 60,
             .conditions = 60, .cov_order = 66};
    p.control_path = "F:\\ERR$$$.TXT";
    p.report_prefix = "F:\\";
    p.input_prefix = "H:\\TEST\\IG\\";
    p.report_name_length = 20;
    p.banner_body = {
        " * Program pro výpočet geodetických úloh v E-2" + blanks(25) + "*",
        " * v místní souřadnicové soustavě             " + blanks(25) + "*",
        " * 30bodů, 199 měřených veličin               " + blanks(25) + "*",
        " * Vstupní soubor je nutné umístit do H:\\TEST\\IG" + blanks(23) + "*",
        " * Kontrolní soubor F:\\ERR$$$.TXT             " + blanks(25) + "*",
    };
    p.banner_date_start = " * 15/05/1999  ver. " + p.about.version + blanks(29);
    p.banner_time_start = " *" + blanks(53);
    p.report_prompt[0] = "Jméno výstupního souboru (pro tisk výsledků) ";
    p.report_prompt[1] = "ve tvaru [F:\\        ] EExxyyzz.TXT";
    p.input_prompt[0] = "Jméno vstupního souboru (souřadnice,směry,délky,..) ";
    p.input_prompt[1] = "ve tvaru [H:\\TEST\\IG\\] Exxyyzzz.TXT";
    p.report_header = "TERVAL         ORMEK ver.3.01      Datum: ";
    p.code_heading = "kód";

    p.read_error_echo = adjustment::ReadErrorEcho::faulty_record;
    p.control_before_banner = true;
    p.control_heading = false;
    p.control_paths = false;
    p.refusal_shows_typed_name = true;
    p.end_message_with_print_hint = true;
    p.database_prompt = "Jmeno databaze (souboru bodu), bez databaze = n";
    p.database_code = -1;
    set_texts(p.text, p.cap);
    set_adjustment(p);
    p.interactive = offer_computations;
    return p;
}

}  // namespace plane_adjustment
