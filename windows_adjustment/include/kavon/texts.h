// The program's own texts: captions of its windows and controls, and its messages.
#pragma once

namespace kavon::texts {

inline constexpr const char* form1Caption = "KAVON příprava vyrovnání prostorové sítě";
inline constexpr const char* form2Caption = "KAVON výsledky vyrovnání";
inline constexpr const char* form3Caption = "KAVON    Výsledky vyrovnání";

// Messages of opening and reading.
inline constexpr const char* chooseInputFile = "Vyberte vstupní soubor s daty prostorové sítě.";
inline constexpr const char* openDialogFailed = "Chyba při otevírání souboru";
inline constexpr const char* driveNotReady = "Drive nepřipraven";
inline constexpr const char* closeDrive = "Zavři drive";
inline constexpr const char* fatalError = "Fatální chyba";
inline constexpr const char* readError = "Chyba ve čtení souboru";

// The filter of the Open dialog; the second entry, "*.txt", is preselected.
inline constexpr const char* openFilter = "All Files (*.*)|*.*|Geo data (*.txt)|*.txt|Gsi data (*.GSI)|*.GSI";
inline constexpr int openFilterTxt = 2;

// Header of the point table and of the three observation tables.
inline constexpr const char* pointHeader = "číslo|     x|     y|     z|kód";
inline constexpr const char* observationHeader = "Stanovisko|Cíl|Směr|Váha";

}  // namespace kavon::texts
