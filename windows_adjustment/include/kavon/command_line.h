// The arguments of KAVON: the toolkit takes its own (-platform, -style, ...); --help, -h and
// --version are answered before any window or display is opened.
#pragma once
#include <optional>
#include <string>

namespace kavon {

std::string usageText();

// --help or -h: the usage; --version: the version; either on the standard output, and the exit
// status 0. Nothing for any other argument list, which goes to the toolkit.
std::optional<int> answerArguments(int argc, char** argv);

}  // namespace kavon
