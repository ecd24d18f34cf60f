// The reader of the input data file: title, a-priori values, points and the three observation
// sections, with the capacity checks and the default rules; writes the report's opening blocks
// as it goes.
#pragma once
#include <string>

namespace adjustment {

struct Run;

// Reads the whole input (its bytes) into run.net, in the layout of the profile's dimension
// (three coordinates and a zenith-angle section in space, two coordinates and no zenith angles
// in the plane). Points with a database placement code take their coordinates from the point
// database. Ends the run itself on a read error, a database placement code without a database
// or not found in it, an exceeded capacity, or an input without observations.
void read_input(Run& run, std::string bytes);

}  // namespace adjustment
