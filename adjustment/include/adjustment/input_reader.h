// The reader of the input data file: title, a-priori values, points and the three observation
// sections, with the capacity checks and the default rules; writes the report's opening blocks
// as it goes.
#pragma once
#include <string>

namespace adjustment {

struct Run;

// Reads the whole input (its bytes) into run.net. Ends the run itself on a read error, a
// database placement code, an exceeded capacity, or an input without observations.
void read_spatial_input(Run& run, std::string bytes);

}  // namespace adjustment
