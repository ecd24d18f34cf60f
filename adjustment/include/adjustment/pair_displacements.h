// The displacement analysis of point pairs of the deformation programs: for every two points the
// difference of their adjusted displacements with its standard deviation, horizontally and (in
// space) in height, each table followed by the list of normalised displacements in ascending
// order.
#pragma once
#include <cstdint>
#include <vector>

#include "adjustment/messages.h"
#include "adjustment/profile.h"
#include "library/matrix.h"
#include "platform/sink.h"

namespace adjustment {

struct Adjustment;

// What the analysis reads, as the adjustment of epoch differences leaves it.
struct PairInput {
    const library::Matrix& H;             // displacements of the unknowns [mm], fixed ones 0
    const library::Matrix& R;             // cofactor matrix of the unknowns, used unchanged
    const std::vector<std::int16_t>& IN;  // point numbers, IN[1..points]
    int points;                           // points in input order
    int dimension;                        // unknowns per point: 3 in space (x, y, z), 2 in the plane
    float MOO;                            // a-priori unit standard deviation: scales sigma_d
};

// Writes the tables and lists to the report; nothing goes to the console or the control file.
// A negative variance (rounding near zero) is taken as 0, so that sigma_d and T are 0.
void pair_displacements(const PairAnalysis& how, const Messages& text, const PairInput& in,
                        platform::RecordSink& report);

// The analysis of the run's last solution, with the profile's parameters.
void write_pair_displacements(const Adjustment& adj);

}  // namespace adjustment
