// A console program takes no arguments: every file is named in its dialogue. Started with an
// argument, it says what it is instead of starting a run.
#pragma once
#include <optional>
#include <string>

#include "adjustment/profile.h"

namespace adjustment {

// The usage of the program of the profile: what it computes, that it asks for every file, the
// data folder and where the manual and the examples are.
std::string usage_text(const Profile& profile);
// The line that --version prints.
std::string version_line(const Profile& profile);

// Without arguments: nothing (the run goes on). With --version: the version line; with any
// other argument: the usage; either on the standard output, and the exit status 0.
std::optional<int> answer_arguments(const Profile& profile, int argc, char** argv);

}  // namespace adjustment
