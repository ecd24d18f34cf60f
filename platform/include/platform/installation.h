// Where the suite's README and example networks are for the running program.
#pragma once
#include <filesystem>
#include <string>

namespace platform {

// The README and the example networks beside an installed program: PREFIX/share/doc/terval/
// README.md and PREFIX/share/terval/examples, PREFIX being the folder above the one that holds
// the program. Empty paths when the program does not run from an installation (a build folder).
struct Documents {
    std::filesystem::path readme, examples;
};
Documents installed_documents();

// The lines of a usage text that tell where the README and the examples are.
std::string documents_line();

}  // namespace platform
