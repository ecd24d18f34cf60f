// The program's own texts: captions of its windows and controls, and its messages.
#pragma once

namespace kavon::texts {

inline constexpr const char* form1Caption = "KAVON příprava vyrovnání prostorové sítě";
inline constexpr const char* form2Caption = "KAVON výsledky vyrovnání";
inline constexpr const char* form3Caption = "KAVON    Výsledky vyrovnání";
// The version of the program, as the title line of the hidden list shows it.
inline constexpr const char* version = "1.01";

// Messages of opening and reading.
inline constexpr const char* chooseInputFile = "Vyberte vstupní soubor s daty prostorové sítě.";
inline constexpr const char* openDialogFailed = "Chyba při otevírání souboru";
inline constexpr const char* driveNotReady = "Drive nepřipraven";
inline constexpr const char* closeDrive = "Zavři drive";
inline constexpr const char* fatalError = "Fatální chyba";
inline constexpr const char* readError = "Chyba ve čtení souboru";

// Messages of the computation.
// "Bod 12: hodnota ve sloupci x není číslo"
inline constexpr const char* cellPoint = "Bod";
inline constexpr const char* cellColumn = ": hodnota ve sloupci ";
inline constexpr const char* cellNotNumber = " není číslo";
inline constexpr const char* zeroLength = "nulová délka mezi body";
inline constexpr const char* badConditions = "Špatné podmínky umístění ";
inline constexpr const char* missingOrigin = " Chyba v zadání: Chybí bod s číslem  kódu 7 ";
inline constexpr const char* underDetermined = " Chyba - úloha je nedostatečně určena";
inline constexpr const char* noRedundancy = "Úloha je bez vyrovnání";
inline constexpr const char* testFailed = " Měření neodpovídá zákl. směrodatné odch.";
inline constexpr const char* networkTooLarge = "Síť je příliš velká pro paměť počítače, výpočet nelze provést";

// Messages of the results window.
inline constexpr const char* noResults = "Výsledky zatím nejsou: žádný výpočet nebyl dokončen";
inline constexpr const char* samePointTwice = "Je zadán identický bod";
inline constexpr const char* chooseBothPoints = "Vyberte oba body ze seznamů";
inline constexpr const char* workFileFailed = "Pracovní soubor TESTFILE nelze zapsat ani přečíst";

// The filter of the Open dialog; the second entry, "*.txt", is preselected.
inline constexpr const char* openFilter = "All Files (*.*)|*.*|Geo data (*.txt)|*.txt|Gsi data (*.GSI)|*.GSI";
inline constexpr int openFilterTxt = 2;

// Header of the point table and of the three observation tables.
inline constexpr const char* pointHeader = "číslo|     x|     y|     z|kód";
inline constexpr const char* observationHeader = "Stanovisko|Cíl|Směr|Váha";

}  // namespace kavon::texts
