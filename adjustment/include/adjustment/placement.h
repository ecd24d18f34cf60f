// Placement codes: the datum condition rows they place in G, the coordinate components they
// remove from the solution, and which points each pass moves.
#pragma once
#include <cstdint>
#include <string>

#include "library/matrix.h"

namespace adjustment {

struct Adjustment;

// Text of the condition column of the coordinate table for a code (sign ignored), from the
// table of the dimension: in space POP for 0..7, blanks for 8 and above; in the plane POP for
// 0..6, blanks for 7 and above.
std::string placement_text(std::int16_t code, int dimension = 3);
// Whether each pass moves a point of this code (|code| <= 1).
inline bool moved_by_passes(std::int16_t code) { return code >= -1 && code <= 1; }
// Fills G from the codes (the table of the network's dimension), sets NP and checks capacity
// and determinacy.
void placement_conditions(Adjustment& adj);
// Deletes the fixed components' columns from A and G (points from the last one down) and sets
// the reduced count n.
void remove_fixed_components(Adjustment& adj);
// Inserts a zero column ic into R (rows x columns used), and through its transpose RT a zero row
// ic: both counts grow by one. R and RT are declared large enough for the grown matrix.
void insert_zero_row_and_column(library::Matrix& R, library::Matrix& RT, library::Index& rows,
                                library::Index& columns, library::Index ic);
// Inserts zero columns into HT at the fixed components (points from the first one up).
void insert_fixed_increments(Adjustment& adj);
// Inserts zero rows and columns into R at the fixed components (points from the first one up);
// checks the counts of HT and R against each other and against dimension x IB.
void insert_fixed_cofactors(Adjustment& adj);

}  // namespace adjustment
