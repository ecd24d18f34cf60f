// The program's own texts as the user sees them: prompts, questions and messages (a console
// record shows without its carriage-control blank), and the fixed records of the banner.
#pragma once
#include <string>

#include "run_table.h"

namespace e2e {

// File dialogue of the main build.
inline const std::string REPORT_PROMPT = "Jméno výstupního souboru (pro tisk výsledků) ";
inline const std::string REPORT_FORM = "ve tvaru [H:\\TEST\\IG\\] EExxyyzz.TXT";
inline const std::string INPUT_PROMPT = "Jméno vstupního souboru (souřadnice,směry,délky,..) ";
inline const std::string INPUT_FORM = "ve tvaru [H:\\TEST\\IG\\] Exxyyzzz.TXT";
inline const std::string REPORT_EXISTS = " - tento soubor již existuje";
inline const std::string INPUT_MISSING = " - tento soubor neexistuje";
inline const std::string RESULT_FILE = "Výsledky výpočtu jsou v souboru :  ";
inline const std::string KONEC = "KONEC";

// Messages of the input reader.
inline const std::string READ_ERROR = "  chyba ve čtení vstupních dat na řádku č.: ";
inline const std::string READ_ERROR_ECHO = " Chyba ve čtení vstupního souboru na řádku č.:";
inline const std::string NO_DATABASE = "Žadná DATABAZE bodů není inicializovaná ";
inline const std::string TOO_MANY_POINTS = "Chyba ve vstupu, max. počet bodů je 44";
inline const std::string TOO_MANY_QUANTITIES = "Chyba ve vstupu, max. počet měření je 180";

// Control file.
inline const std::string CONTROL_FIRST = "  Toto okno slouží ke kontrole dat. ";

// Report.
inline const std::string HEADER_307 = " TERVAL 3.07 Prostorová síť   Ostrel   Datum: ";
inline const std::string HEADER_308 = " TERVAL 3.08 Prostorová síť   Ostrel   Datum: ";
inline const std::string COORDINATES_TITLE = " S o u ř a d n i c e";
inline const std::string SIGMA_TITLE = "       S M Ě R O D A T N É  O D C H Y L K Y           ";
inline const std::string USED_SIGMA0 = " Uvažovaná směrodatná odchylka        =";
inline const std::string MEAN_SIGMA = " Průměrná směrod. odch. souřadnicová  =";

// Interactive computations.
inline const std::string OFFER[5] = {
    "Výpočet prostorové délky a její směrod. odch. mezi body i,j  (a/n)?",
    "Výpočet vodorovné délky mezi body i,j (a/n)?",
    "Chcete provést výpočet převýšení mezi body i,j (a/n)?",
    "Výpočet úhlu mezi body j-i-k a jeho směrod. odch. (a/n)?",
    "Chcete provést výpočet zenitového úhlu mezi body i,j (a/n)?",
};
inline const std::string PAIR_PROMPT = "Vložte čísla bodů i,j ? ";
inline const std::string TRIPLE_PROMPT = "Vložte čísla bodů j,i,k (j-levý, i-vrchol, k-pravý)?";
inline const std::string END_DISTANCES = "Chcete opravdu ukončit výpočet délek? (a/n) ";
inline const std::string END_HEIGHTS = "Chcete opravdu ukončit výpočet převýšení (a/n)? ";
inline const std::string END_ANGLES = "Chcete opravdu ukončit výpočet úhlu? (a/n) ";
inline const std::string END_ZENITH = "Chcete opravdu ukončit výpočet zenit.úhlu (a/n)? ";
inline const std::string AGAIN_TWO = "Znovu zadejte obě čísla bodů.";
inline const std::string AGAIN_ALL = "Znovu zadejte všechna čísla bodů.";
inline const std::string POINT_LIST = "Čísla bodů jsou:";
inline const std::string LOOKUP_MISSING = "Procedura CBODU ... Hledane cislo neexistuje";

// Banner records (carriage-control blank included) of the main build.
inline const std::string BANNER_FRAME = [] {
    std::string f = " ";
    for (int i = 0; i < 36; ++i) f += "* ";
    return f;
}();
inline const std::string BANNER_3 = " * Program pro výpočet geodetických úloh v E-3" + blanks(25) + "*";
inline const std::string BANNER_4 = " * v místní souřadnicové soustavě             " + blanks(25) + "*";
inline const std::string BANNER_5 = " * 44 bodů, 180 měřených veličin              " + blanks(25) + "*";
inline const std::string BANNER_6_H = " * Vstupní soubor je nutné umístit do H:\\TEST\\IG" + blanks(23) + "*";
inline const std::string BANNER_7_MAIN = " * Kontrolní soubor  F:ERR$$$.TXT              " + blanks(25) + "*";
inline const std::string BANNER_7_SHORT = " * Kontrolní soubor ERR$$$.TXT                " + blanks(25) + "*";
inline const std::string BANNER_8_MAIN = " * 15/05/1999  ver. 3.08";
inline const std::string BANNER_8_307 = " * 15/05/1999  ver. 3.07";
inline const std::string BANNER_8_2000 = " * 04/01/2000  ver. 3.07";

}  // namespace e2e
