// Constants, texts and switches of the plane deformation program and its second build. Its texts
// are its own, mostly with diacritics, and its report blocks start in the first column.
#include "plane_deformation/builds.h"

#include <string>

#include "platform/record.h"

namespace plane_deformation {

namespace {

using platform::blanks;

const char TAB = '\t';

// The console dialogue, the reader and the opening blocks of the report; the capacity messages
// name the capacities of the profile.
void set_input_texts(adjustment::Messages& t, const adjustment::Capacities& cap) {
    t.print_hint = "Tisk na tiskárnu se provede : TYPE ";
    t.read_error = "  chyba ve čtení vstupnich dat na řadku č.: ";
    t.read_error_more = {"  soubor nesmí být pořízen editorem T602 ", "  dále odstraňte TAB mezery  "};
    t.no_database = "Žádná DATABAZE bodu není inicializována ";
    t.too_many_points = "Chyba ve vstupu, max. počet bodů je " + std::to_string(cap.points);
    t.too_many_quantities = "Chyba ve vstupu, max. počet měření je " + std::to_string(cap.quantities);
    t.too_many_distances = "Chyba ve vstupu, max. počet délek je " + std::to_string(cap.distances);

    t.action = "Akce: ";
    t.apriori_labels = {
        "základní směrod. odch. rozdílu směru [cc]  =",
        "základní směrod. odch. rozdílu délky [mm]  =",
        "základní směrod. odch. jednotková          =",
        "základní směrod. odch. souřadnicová   [mm] =",
    };
    t.coordinates_heading_start = " číslo bodu" + blanks(8) + "X" + blanks(14) + "Y" + blanks(9);
    t.report_time = "   čas: ";
}

// The adjustment of the epoch differences and its failures.
void set_adjustment_texts(adjustment::Messages& t) {
    t.missing_point[0] = "Čislo stanoviska nebo cíle neexistuje v seznamu";
    t.missing_point[2] = "Proveďte opravu dat, vymažte vystupni soubor - ";
    t.row_numbering.clear();  // no zenith angles, no check of their numbering
    t.no_reference = "*** Chyba v zadání: Chybí bod s čislem kódu 6 ***";
    t.few_conditions = " dim G() < 3, tj IR<3 ";
    t.weights_singular = "chyba v inverzi PP()";
    t.go_on = "dale ?";
    t.normal_singular[0] = "Zadání je singulární";
    t.extend_dimensions = "  chyba v dimenzích při rozšiřování matic H(), R()";
    t.progress = " počítám ";
    t.sigma0 = " Směrod. odch. jednotková po vyrov.= ";
    t.sigma0_rejected = " !!! Měření neodpovídá základní směrod. odch. !!!";
}

// The report tables after the adjustment.
void set_report_texts(adjustment::Messages& t) {
    t.print_directions = "Tisk směru ";
    t.directions_heading[0] = std::string(" stanovisko cíl       směr(o)     směr(i)   ") + TAB + "váha" + TAB + "   oprava";
    t.directions_heading[1] = std::string(3, TAB) + "  [cc]" + TAB + "       [cc]";
    t.directions_heading_r0[0] = " stanovisko cíl       směr(o)     směr(i)   váha";
    t.directions_heading_r0[1] = std::string(3, TAB) + " [cc]" + std::string(2, TAB) + "[cc]" + TAB + " ";
    t.distances_heading[0] = " stanovisko cíl      délka(o)    déka(i)    váha      oprava   rozdíl";
    t.distances_heading[1] = "                       [mm]       [mm]              [mm]     [mm]";
    t.distances_heading_r0[0] = " stanovisko cíl      délka(o)    délka(i)";
    t.distances_heading_r0[1] = "                        [mm]        [mm] ";
    t.pv = " [v] = ";
    t.direction_sigma = " Směr.odch.roz.směru = ";
    t.all_directions = " Pro všechny směry:";
    t.distance_sigma = " Směrod.odch.roz.délky = ";
    t.ellipse_heading[0] = "       V Ý S L E D N É   S O U Ř A D N I C E   A";
    t.used_sigma0 = " Uvažovaná směrod.odch. jednotková   =";
    t.mean_sigma = " Průmerná směrod.odch. souřadnicová  =";
}

// The switches of the adjustment and of the report.
void set_adjustment(adjustment::Profile& p) {
    p.two_epochs = true;
    p.change_list_with_misclosure = false;
    // The rows come from the epoch-(o) coordinates, which no pass moves: the second solution
    // repeats the first; at most six solutions, then the loop ends as if converged.
    p.loop = {.moves_points = false, .passes = 6};
    p.halt_at_first_extra_row = false;
    // Two sightings of one target in a row: the angle between them does not depend on where the
    // target stands, so its two roles cancel in the row.
    p.same_target_angle_sums = true;
    // A network whose conditions leave a shift, the rotation or the scale free is refused as
    // under-determined, not solved into noise.
    p.datum_motions_checked = true;
    p.same_coordinates_lists_points = false;
    p.test_lines_on_console = false;
    p.weighted_statistics = false;
    p.epoch_row = {.epoch_i = {4, 10, 1}, .weight = {0, 7, 2}, .correction = {3, 7, 1},
                   .change = {3, 7, 1}, .change_o_minus_i = false};
    p.empty_after_direction_block = 1;
    p.empty_after_ellipse_heading = false;
    p.pairs = adjustment::PairAnalysis{.list_capacity = 800, .wide_covariance = true};
}

}  // namespace

adjustment::Profile profile(Build build) {
    const std::string folder = build == Build::h_drive ? "H:\\TEST\\IG\\" : "C:\\TEST\\IG\\";
    adjustment::Profile p;
    p.about = {build == Build::h_drive ? "rudvik-h" : "rudvik", "1.21",
               "Deformation analysis of a local plane network between two epochs: the directions and distances of\n"
               "both epochs; the displacement of every point and of every pair of points with its standard\n"
               "deviation. Known points are kept in a point database between runs."};
    p.dimension = 2;
    // 30 points fill the 60 unknowns exactly.
    p.cap = {.points = 30, .quantities = 198, .distances = 180, .rows = 172, .unknowns = 60,
             .conditions = 60, .cov_order = 66};
    p.control_path = folder + "ERR$$$.TXT";
    p.report_prefix = folder;
    p.input_prefix = folder;
    p.report_name_length = 12;

    p.banner_frame = false;
    p.banner_empty_before = 25;
    p.banner_empty_after = 3;
    p.banner_body = {" Program pro výpočet deformací v rovině        "};
    p.banner_date_start = " 18/5/1999  ver. " + p.about.version + blanks(30);
    p.banner_date_end = "";
    p.banner_time_start = " T E R V A L" + blanks(9) + blanks(30);
    p.banner_time_label = "Čas:   ";
    p.banner_time_end = "";
    p.banner_after_time = {" Soubory je nutné uložit do " + folder + "... "};

    p.report_prompt[0] = "Jméno výstupního souboru (pro tisk) ";
    p.input_prompt[0] = "Jméno vstupního souboru (souřadnice,směry,délky) ";
    p.report_header = "TERVAL         SELMOR ver.2.01     Datum: ";
    p.code_heading = "kód";

    // The main build echoes the line after a faulty record to the control file; the second
    // build goes straight to the exit block.
    p.read_error_echo = build == Build::main ? adjustment::ReadErrorEcho::next_line : adjustment::ReadErrorEcho::none;
    p.control_paths = false;
    p.input_refusal_shows_path = true;
    p.end_message_with_print_hint = true;
    p.database_prompt = "Jméno databáze (souboru bodů), bez databáze = n";
    p.database_code = -2;
    set_input_texts(p.text, p.cap);
    set_adjustment_texts(p.text);
    set_report_texts(p.text);
    set_adjustment(p);
    return p;
}

}  // namespace plane_deformation
