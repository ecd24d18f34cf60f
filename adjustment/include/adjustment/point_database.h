// The point database of a run (the programs that offer one): the question at the start, the
// coordinates of database points while the input is read, and the points that the exit block
// stores at the end.
#pragma once
#include <cstdint>

#include "platform/halt.h"

namespace adjustment {

struct Run;

// Asks for the point database when the profile offers one. "n" or "N" followed only by blanks:
// no database (BDUMMY = -1.0). Any other answer is a file name used as typed (a bare file name in
// the data folder, one with a folder relative to the current directory), opened or created and
// locked for the run, then counted, cleaned and sorted (BTRID, BSINGL, BTRID; a failure skips
// the rest of the three), the deleted records taken out. A database that BTRID cannot read (a
// record that cannot be read, a length that is not a whole number of records, more records than
// the 16-bit count numbers) is not used at all: the run goes on as without a database and never
// writes to the file. One that holds more records than the search covers is said so and not
// used after that opening (sorted, its points could still not be found). A name longer than 24
// characters (BAZE's length) is refused with a line that says the limit; a name that cannot be
// opened, that names the run's report, input or control file, or whose database another run
// holds (the line says so; nothing waits) is refused; each is asked again. An open that fails
// for want of descriptors or memory, or the end of the console input, ends the run as failed.
void database_dialogue(Run& run);

// X, Y [mm] (out) of a point with a database placement code, found in the open database. False
// after the console line of the search when the point is not there; the reserved numbers 99
// and 9999 are never found (the database cannot hold them as points).
bool database_point(Run& run, std::int16_t number, double& X, double& Y);

// The storing part of the exit block: when a database is open, every point with a code of 0 or
// more is appended once with its working coordinates (a reserved number is left out with a
// console line), then the database is sorted, cleaned and sorted again and the deleted records
// are taken out of the file; a failure of these is given one more try. A point already in the
// database keeps its record; the run's repeat of it is deleted. Points are stored only after a
// completed adjustment or a whole input without observations, and never after an interrupt: any
// other end leaves the database as it was and says so. Points that would take the database past
// the records its search covers are not stored at all, with a line that gives that capacity. An
// append that fails (a full disk, a size limit) cuts the file back to its length before the
// appends. Returns the status to end the run with: `status`, or failed when the database was
// left unchanged or could not be put in order.
platform::ExitStatus store_points(Run& run, platform::ExitStatus status);

}  // namespace adjustment
