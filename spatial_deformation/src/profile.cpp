// Constants, texts and switches of the spatial deformation program.
#include "spatial_deformation/profile.h"

#include <string>

#include "platform/record.h"

namespace spatial_deformation {

namespace {

using platform::blanks;

// The texts; the capacity messages name the capacities of the profile.
void set_texts(adjustment::Messages& t, const adjustment::Capacities& cap) {
    t.no_database = "žadná DATABAZE bodů není inicializováná ";
    t.too_many_points = "Chyba ve vstupu, max. počet bodů je " + std::to_string(cap.points);
    t.too_many_points_control = " Chyba ve vstupu, max. počet bodů je " + std::to_string(cap.points) + " ";
    t.too_many_quantities = "Chyba ve vstupu, max. počet měření je " + std::to_string(cap.quantities);
    t.too_many_quantities_control = " Max. počet měření je " + std::to_string(cap.quantities);
    t.apriori_labels = {
        " směrodatná odchylka rozdílu směru    [cc] =",
        " směrodatná odchylka rozdílu délky    [mm] =",
        " směrodatná odchylka rozdílu zen.úhlu [cc] =",
        " směrodatná odchylka jednotková        =",
        " směrodatná odchylka souřadnicová [mm] =",
    };
    t.coordinates_heading_start = " Číslo bodu" + blanks(8) + "X" + blanks(14) + "Y" + blanks(12) + "Z" + blanks(7);
    t.coordinates_heading_end = "  podmínky umístění";
    t.missing_point[2] = "Proveďte opravu dat, změňte  výstupni soubor - ";
    t.underdetermined[2] = "         nebo nedostatečné zaměře sítě";
    t.rows_over_halt = "Chyba ve vstupu, měř. délek může být max. " + std::to_string(cap.rows);
    t.redundancy = "Pocet nadbytec. mereni = ";
    t.sigma0 = " Směrodat. odchylka jednot. po vyrov.= ";

    t.directions_heading[0] = " stanovisko cíl       směr(o)       směr(i)    váha   oprava    rozdíl";
    t.directions_heading[1] = blanks(14) + "        [cc]          [cc]               [cc]";
    t.directions_heading_r0[0] = " stanovisko cíl       směr(o)       směr(i)    váha   rozdíl";
    t.directions_heading_r0[1] = "                                   [cc]";
    t.zenith_heading[0] = " stanovisko cíl   zen.úhel(o)  zen.úhel(i)   váha     oprava   rozdil";
    t.zenith_heading[1] = "                      [cc]            [cc]                [cc]";
    t.zenith_heading_r0[0] = " stanovisko cíl   zenitový úhel(o) zenitový úhel(i)   váha";
    t.zenith_heading_r0[1] = blanks(23) + "[cc]" + blanks(6) + "[cc]";
    t.distances_heading[0] = " stanovisko cíl       délka(o)      délka(i)     váha     oprava   rozdíl";
    t.distances_heading[1] = blanks(16) + "       [mm]          [mm]           [mm]";
    t.distances_heading_r0[0] = " stanovisko cíl       délka(o)      délka(i)      váha";
    t.distances_heading_r0[1] = "                       [mm]            [mm]";
    t.direction_sigma = " Směrod. odch. roz. směru = ";
    t.direction_unit = " [cc] ";
    t.zenith_sigma = " Směr.odch. roz. zenit.úhlu = ";
    t.distance_sigma = " Směrod. odch. roz. délky = ";
}

}  // namespace

adjustment::Profile profile() {
    adjustment::Profile p;
    p.about = {"kaspen", "1.03",
               "Deformation analysis of a local spatial network between two epochs: the directions, zenith angles\n"
               "and slope distances of both epochs; the displacement of every point and of every pair of points\n"
               "with its standard deviation."};
    p.dimension = 3;
    // 20 points fill the 60 unknowns exactly; the quantities of all sections share one count, so
    // the distances have no capacity of their own.
    p.cap = {.points = 20, .quantities = 99, .distances = 99, .rows = 88, .unknowns = 60,
             .conditions = 60, .cov_order = 66};
    p.control_path = "F:\\ERR$$$.TXT";
    p.report_prefix = "F:\\";
    p.input_prefix = "H:\\TEST\\IG\\";
    p.report_name_length = 20;
    p.banner_body = {
        " * Program pro analýzu deformací v E-3        " + blanks(25) + "*",
        " * v místní souřadnicové soustavě             " + blanks(25) + "*",
        " * 20 bodů, 99 měřených veličin               " + blanks(25) + "*",
        " * měřené veličiny: směry, zenitové úhly, šikmé délky" + blanks(18) + "*",
    };
    p.banner_date_start = " *  5/11/2000  ver. " + p.about.version + blanks(29);
    p.banner_time_start = " *" + blanks(53);
    p.banner_after_time = {
        " * !!! Datový soubor Dxx.TXT je nutné umístit do H:\\TEST\\IG\\" + blanks(11) + "*",
        " * Chybový soubor F:\\ERR$$$.TXT               " + blanks(25) + "*",
    };
    p.report_prompt[0] = "Jméno výstupního souboru (pro tisk výsledku) ";
    p.report_prompt[1] = "ve tvaru  DDxxyyzz.TXT";
    p.input_prompt[0] = "Jméno vstupního souboru (souřadnice,směry,délky) ";
    p.input_prompt[1] = "ve tvaru  Dxxyyzzz.TXT";
    p.report_header = " TERVAL      Deformace v Ostrel v.1.02 Datum: ";
    p.code_heading = "kód";

    p.read_error_to_control = true;
    p.read_error_echo = adjustment::ReadErrorEcho::faulty_record;
    p.control_paths = false;
    p.capacity_control_records = true;
    p.two_epochs = true;
    p.halt_at_first_extra_row = false;
    // Two sightings of one target in a row: the angle between them does not depend on where the
    // target stands, so its two roles cancel in the row.
    p.same_target_angle_sums = true;
    // A network whose conditions leave a shift, the rotation, the scale or a height free is
    // refused as under-determined, not solved into noise.
    p.datum_motions_checked = true;
    // The rows come from the epoch-(o) coordinates, which no pass moves: the second pass repeats
    // the first, and the loop ends there.
    p.loop = {.moves_points = false, .passes = 2};
    p.pairs = adjustment::PairAnalysis{.list_capacity = 260, .wide_covariance = false};
    set_texts(p.text, p.cap);
    return p;
}

}  // namespace spatial_deformation
