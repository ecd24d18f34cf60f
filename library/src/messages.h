// The library's own console texts (plain ASCII Czech), each used character for character.
#pragma once

namespace library::messages {

// Point-number lookup: the number (or name) sought follows.
inline constexpr const char* number_missing = "Procedura CBODU ... Hledane cislo neexistuje";
// Point database: counting met a record that cannot be read.
inline constexpr const char* db_read_error = " Chyba ve cteni databaze, uloha je prerusena";
// Point database: a record could not be written (the sort or the cleaning stops).
inline constexpr const char* db_write_error = " Chyba v zapisu do databaze, uloha je prerusena";
// Point database: a repeated point number was deleted; the deleted record follows.
inline constexpr const char* db_duplicate = " Bod je v databazi vicekrat - zrusen je :";
// Point database: the number sought follows.
inline constexpr const char* db_point_missing = " Hledany bod neni v databazi ";

}  // namespace library::messages
