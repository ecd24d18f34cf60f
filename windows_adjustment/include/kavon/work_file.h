// The work file "TESTFILE" of the results display and the lines of the hidden list: each press
// of "Zobrazení výsledků" writes the file anew in the current directory, reads it back and
// appends its records, between headings and test lines, to the list.
#pragma once
#include "forms/controls.h"
#include "kavon/module.h"

#include <ctime>
#include <string>

namespace kavon {

inline constexpr const char* workFileName = "TESTFILE";

// One record of the work file: the point number left-aligned in 10 characters, then x from
// column 12, its correction from column 25 and y from column 40, each formatted "0.0"; a value
// that reaches the next column is followed by one blank instead.
std::string workFileRecord(double number, double x, double dx, double y);

// Writes the work file, reads it back and appends the list's lines; `now` gives the date and
// time of the second line. False, after a message box, when the file cannot be written or read
// back (the list then gets nothing).
bool writeWorkFile(const ModuleData& data, forms::ListBox& list, std::time_t now);

}  // namespace kavon
