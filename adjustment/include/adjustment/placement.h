// Placement codes: the datum condition rows they place in G, the coordinate components they
// remove from the solution, and which points each pass moves.
#pragma once
#include <cstdint>
#include <string>

namespace adjustment {

struct Run;

// Text of the condition column of the coordinate table for a code (sign ignored): the table POP
// for 0..7, blanks for 8 and above.
std::string placement_text(std::int16_t code);
// The same for the plane programs: their table POP for 0..6, blanks for 7 and above.
std::string plane_placement_text(std::int16_t code);
// Whether each pass moves a point of this code (|code| <= 1).
inline bool moved_by_passes(std::int16_t code) { return code >= -1 && code <= 1; }
// Fills G from the codes, sets NP and checks capacity and determinacy.
void spatial_conditions(Run& run);
// Deletes the fixed components' columns from A and G (points from the last one down) and sets
// the reduced count n.
void remove_fixed_components(Run& run);
// Inserts zero columns into HT and zero rows and columns into R at the fixed components (points
// from the first one up); checks the counts against 3 x IB.
void insert_fixed_components(Run& run);

}  // namespace adjustment
