// Observation equations of a pass: one row of A and one misclosure in L per derived observation,
// in the fixed order angles, slope distances, zenith angles; the misclosure lists of the first
// pass go to the control file.
#pragma once

namespace adjustment {

struct Run;

// Rebuilds the diagonal of PP and forms the rows of the spatial network at the current
// coordinates.
void spatial_rows(Run& run);
// Reduces an angle misclosure [cc] to the half circle (-2 000 000, 2 000 000].
double reduce_to_half_circle(double misclosure_cc);

}  // namespace adjustment
