// Reading the input file in two passes. The first pass counts the lines of each section, which
// sizes every array; the second reads each record from its own line: values after the last one
// the record needs are ignored, and a line with too few values is a read error. Every step
// returns false on a read error; what it filled before stays.
#pragma once
#include "forms/seqfile.h"
#include "kavon/module.h"

#include <array>
#include <optional>

namespace kavon {

// First pass over file 2 from its start: counts the lines between the terminators (lines whose
// first character is "-"): the point section (less the title and the a-priori line), the
// directions, the zenith angles and the slope distances; lines after a fourth terminator are
// not counted. Closes file 2. Fails when file 2 is not open, when there are fewer than two lines
// before the first terminator, or when a count leaves 16 bits (also three times the points, or
// all measured quantities together: the computation counts its unknowns and rows in 16 bits).
bool countRecords(forms::SequentialFile& file2, ModuleData& data);

// Opens the input file again as file 2, reads the title line (not kept) and the a-priori line of
// five values; sigma0 and sigma0Used become the fourth. Gives the five values.
std::optional<std::array<double, 5>> readHeader(forms::SequentialFile& file2, ModuleData& data);

// The point records (number, code, x, y, z), then RC. A file without points fails.
bool readPoints(forms::SequentialFile& file2, ModuleData& data);
// The terminator line, then the direction records (station, target, value, weight), counting
// the direction sets (none without directions).
bool readDirections(forms::SequentialFile& file2, ModuleData& data);
// The terminator line, then the zenith-angle records.
bool readZenithAngles(forms::SequentialFile& file2, ModuleData& data);
// The terminator line, then the slope-distance records; a target must fit 16 bits.
bool readSlopeDistances(forms::SequentialFile& file2, ModuleData& data);

}  // namespace kavon
