// The Czech texts of the console run, the input reader, the adjustment and the report, keyed by
// what they mean. The spatial adjustment program's texts are the defaults; a program whose texts
// differ changes the fields it needs in its profile.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace adjustment {

struct Messages {
    // Control file and end of the run.
    std::string control_first = "  Toto okno slouží ke kontrole dat. ";
    std::string result_file = "Výsledky výpočtu jsou v souboru :  ";
    std::string result_file_after = "    ";
    std::string print_hint = "Tisk na tiskarnu se provede : TYPE ";  // then the report name
    std::string print_hint_after = " > LPT1";
    std::string end = "KONEC";
    std::string control_unavailable = "Kontrolní soubor nelze otevřít: ";
    // Shown alone, before the banner, when the current folder has been removed.
    std::string data_folder_missing = "Datovou složku nelze najít: aktuální složka neexistuje";
    // Shown alone, before the banner, when TERVAL_DATA names no folder; the name follows.
    std::string named_data_folder_missing = "Datovou složku nelze najít: ";
    std::string write_failed = "Chyba zápisu do výstupního nebo kontrolního souboru, výsledky nejsou úplné";

    // File dialogue.
    std::string report_exists = " - tento soubor již existuje";
    // The reasons of our own for a report name that cannot be created (after the name).
    std::string report_no_name = " - chybí jméno souboru";
    std::string report_is_folder = " - toto je složka, ne soubor";
    std::string report_no_folder = " - složka pro tento soubor neexistuje";
    std::string report_not_created = " - tento soubor nelze vytvořit";
    std::string input_missing = " - tento soubor neexistuje";
    // A file or a code-page converter that cannot be opened for want of descriptors or memory:
    // the run ends (the typed name follows, where there is one).
    std::string files_exhausted = "Soubor nelze otevřít, systému chybí volné prostředky: ";
    // Shown alone, before the banner, when a code page's converter cannot be opened.
    std::string converter_unavailable = "Převod znaků nelze připravit, program končí";
    // An exception that no step of the run expected (memory exhausted): the run ends, storing nothing.
    std::string run_broken_off = "Výpočet nelze dokončit: ";

    // Input reader.
    std::string read_error = "  chyba ve čtení vstupních dat na řádku č.: ";
    std::vector<std::string> read_error_more;  // console records after the read-error message
    std::string read_error_echo = " Chyba ve čtení vstupního souboru na řádku č.:";
    std::string read_error_echo_after = "...";  // after the echoed line of the faulty record
    std::string no_database = "Žadná DATABAZE bodů není inicializovaná ";
    std::string too_many_points = "Chyba ve vstupu, max. počet bodů je 44";
    std::string too_many_quantities = "Chyba ve vstupu, max. počet měření je 180";
    std::string too_many_distances = "Chyba ve vstupu, max. počet šikmých délek je 50";
    std::string too_many_points_control;      // the control-file record before that halt
    std::string too_many_quantities_control;  // the control-file record before that halt
    std::string too_many_adjusted_points = "Chyba ve vstupu, vyrovnání pojme nejvýše 20 bodů";
    // After the read-error message for a comma between two digits of a line whose values are
    // separated by blanks.
    std::string decimal_comma = "  desetinná čísla pište s desetinnou tečkou, ne s čárkou";

    // Point database (the programs that offer one). The lines of our own are in the library's
    // plain ASCII.
    std::string database_unavailable = " - databazi nelze otevrit";  // after the typed name
    // Another run holds the database: the two texts round the typed name; the question follows.
    std::string database_in_use = "Databazi ";
    std::string database_in_use_after = " prave pouziva jina uloha: zadejte ji znovu, az skonci, nebo n";
    // The database holds more records than the search covers (library::DB_SEARCH_CAPACITY).
    std::string database_over_capacity = "Databaze bodu ma vice nez 10945 zaznamu, vice jich hledani neprecte";
    // The run's points would take the database past what the search covers: nothing is stored.
    std::string database_full = "Databaze bodu pojme nejvyse 10945 bodu, body nejsou ulozeny";
    std::string database_name_too_long = "Jmeno databaze muze mit nejvyse 24 znaku";
    std::string database_not_used = "Uloha pokracuje bez databaze bodu";
    // The library's line for a point not in the database, followed by the number: shown also
    // for a reserved number (99, 9999), which the database cannot hold as a point.
    std::string database_point_missing = " Hledany bod neni v databazi ";
    std::string reserved_number = "Cislo bodu je v databazi vyhrazeno, bod se do ni neuklada:";
    std::string database_unchanged = "Vyrovnani neni dokonceno, databaze bodu zustava beze zmeny";
    std::string database_store_failed = "Chyba v databazi bodu, body nejsou ulozeny uplne";

    // Report opening blocks.
    std::string print_coordinates = "Tisk souřadnic ";
    std::string action = " Akce: ";
    std::vector<std::string> apriori_labels = {
        " směrodatná odchylka směru        [cc] =",
        " směrodatná odchylka délky        [mm] =",
        " směrodatná odchylka zen.úhlu     [cc] =",
        " směrodatná odchylka jednotková        =",
        " směrodatná odchylka souřadnicová [mm] =",
    };
    std::string coordinates_title = " S o u ř a d n i c e";
    std::string coordinates_heading_start = " Číslo bodu        X              Y          Z         ";
    std::string coordinates_heading_end = "   podmínky umístění";
    std::string report_time = "   Čas: ";

    // Observation equations.
    std::string missing_point[4] = {
        "Číslo stanoviska nebo cíle neexistuje v seznamu",
        "souřadnic",
        "Proveďte opravu dat, smažte  výstupní soubor - ",
        "a znovu proveďte výpočet",
    };
    std::string same_coordinates = " Chyba - Jsou zadány stejné souřadnice pro dva body";
    std::string same_numbers = " Čísla bodů: ";
    std::string same_indices = " Čísla indexů:";
    std::string rows_over = " NM > JM ";
    std::string rows_over_halt = "Chyba ve vstupu, měř. délek může být max. 172";
    std::string row_count = "Chyba  IXX <> NM";
    std::string row_numbering = " chyba v číslování řádků IXX <> IX";
    std::string angle_list = " Rozdíly mezi úhly vypoč. z měř. směrů a ze souřad.";
    std::string distance_list = " Rozdíly mezi délkami vypoč. z měření a ze souřad.";
    std::string zenith_list = " Rozdíly mezi zenit.délkami z měř. hodnot a ze souřad.";

    // Datum conditions.
    std::string no_reference = "*** Chyba v zadání: Chybí bod s číslem o  kódu 7 ***";
    std::string underdetermined[3] = {
        " Chyba - úloha je nedostatečně určena",
        "         tj. malý počet podmínek umístění sítě",
        "         nebo nedostatečné zaměření sítě",
    };
    std::string conditions_over = "JP < IG";
    // A pause when fewer than three condition rows are placed (none where empty).
    std::string few_conditions;

    // Least-squares solution.
    std::string d_rows = "IXD <> NM";
    std::string weights_singular = "chyba v zadání - zkontrolujte sořadnice, kódy,vstupní vel.";
    std::string weight_line = "p(i,i) =";
    std::string go_on = "dále ?";
    std::string qi_singular = "chyba v inverzi QI()";
    std::string normal_singular[3] = {
        "singularita řešení  ",
        " zřejmě špatně zadané podmínky na umístění sítě,",
        " nejprve ale proveďte kontrolu vstupních veličin",
    };
    std::string extend_dimensions = "  chyba v dimenzích   při rozšiřování matic H(), R()";
    std::string reduce_dimensions = "  nesouhlasí dimenze n před redukcí a po návratu";
    std::vector<std::string> no_convergence = {
        " ",
        "         ***** P O Z O R ! *****",
        "  Způsob zadání výpočtu nevede k výsledku",
        "  Možná náprava:",
        "    a)  zkontrolujte všechny zadané hodnoty",
        "    b)  proveďte lepší odhad přibližných souřadnic",
        "    c)  seřaďte měřené veličiny ve smyslu daný bod ",
        "        - určovaný bod",
        "    c)  přečíslujte body (souřadnice, směry, délky)",
    };
    std::string progress = " pocitam ";
    std::string finished = " Již jsem dopočítal, pokračuje tisk a dialog";
    std::string redundancy = "Počet ndbyteč. měření = ";
    std::string sigma0 = " Směrodat. odchylka jednot.= ";
    std::string sigma0_rejected = " !!! Měření neodpovídá směrodatné odchylce (požadované) !!!";

    // Observation tables.
    std::string print_directions = "Tisk smeru ";
    std::string print_distances = "Tisk délek ";
    std::string directions_title = " S m ě r y";
    std::string directions_heading[2] = {" stanovisko cíl       směr       váha     oprava",
                                         "                      [cc]                [cc]"};
    std::string directions_heading_r0[2] = {" stanovisko cíl       směr       váha",
                                            "                      [cc]"};
    std::string zenith_title = " Z e n i t o v é   ú h l y";
    std::string zenith_heading[2] = {" stanovisko cíl   zenitový úhel  váha     oprava",
                                     "                      [cc]                [cc]"};
    std::string zenith_heading_r0[2] = {" stanovisko cíl   zenitový úhel  váha",
                                        "                      [cc]"};
    std::string distances_title = " D é l k y";
    std::string distances_heading[2] = {" stanovisko cíl       délka      váha     oprava",
                                        "                       [mm]                [mm]"};
    std::string distances_heading_r0[2] = {" stanovisko cíl       délka      váha",
                                           "                       [mm]"};
    std::string pv = " [pv] = ";
    std::string direction_sigma = " Směrod. odch. směru = ";
    std::string all_directions = " Pro všechny směry : ";
    std::string zenith_sigma = " Směr.odch. zenit.úhlu = ";
    std::string distance_sigma = " Směrod. odch. délky = ";
    std::string direction_unit = " [cc]";
    std::string unit_cc = " [cc]";
    std::string unit_mm = " [mm]";

    // Adjusted coordinates, ellipsoids, closing lines.
    std::string print_results = "Tisk výsledných souřadnic";
    std::string results_heading[3] = {
        "       V Ý S L E D N É   S O U Ř A D N I C E  ",
        "  číslo      x          dx         y         dy           z      dz",
        "  bodu      [mm]       [mm]       [mm]      [mm]         [mm]    [mm]",
    };
    std::string ellipsoid_heading[4] = {
        "       P A R A M E T R Y   E L I P S O I D U   C H Y B",
        "  číslo      a          b          c           úhel stočení ",
        "  bodu      [mm]       [mm]       [mm]      alfa      beta     gama",
        "                                            [g]       [g]      [g]",
    };
    std::string rd_asymmetric = " Chyba v RD()";
    // MADROT's line for an axis code outside 1 to 3, the same in every program.
    static constexpr std::string_view bad_axis = " Spatne zadana osa rotace <1,3> = ";
    std::string sigma_heading[3] = {
        "       S M Ě R O D A T N É  O D C H Y L K Y           ",
        "  číslo    sigma x    sigma y    sigma z                    ",
        "  bodu      [mm]       [mm]       [mm]                             ",
    };
    // The plane table of coordinates and error ellipses: two title records, three column records.
    std::string ellipse_heading[5] = {
        "       V Y S L E D N É   S O U Ř A D N I C E   A",
        "       P A R A M E T R Y   E L I P S Y   C H Y B",
        "  číslo      x          dx         y         dy    hlavní   vedlejší  úhel",
        "  bodu      [mm]       [mm]       [mm]      [mm]   poloosa   poloosa  stoč.",
        "                                                    [mm]      [mm]    [g]",
    };
    std::string used_sigma0 = " Uvažovaná směrodatná odchylka        =";
    std::string mean_sigma = " Průměrná směrod. odch. souřadnicová  =";

    // Displacement analysis of point pairs (deformation programs).
    std::string pairs_xy_heading[2] = {"  Výpočet vektoru posunu (x,y) a jeho směrod.odchylky",
                                       "  poř.č.    č.b.1  č.b.2  posum  směrodatná odch."};
    std::string pairs_z_heading[2] = {"  Výpočet vektoru posunu (z) a jeho směrod.odchylky",
                                      "    poř.č.    č.b.1  č.b.2  posum  směrodatná odch."};
    std::string pairs_list_heading[2] = {"  Výpočet normovaného vektoru posunu",
                                         " poř.č.    č.b.1  č.b.2  normovaný posum"};
};

}  // namespace adjustment
