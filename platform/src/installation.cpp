// Where the suite's README and example networks are for the running program.
#include "platform/installation.h"

#include <system_error>

namespace platform {

Documents installed_documents() {
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (failed) return {};
    const std::filesystem::path prefix = program.parent_path().parent_path();
    Documents found{prefix / TERVAL_DOCDIR / "README.md", prefix / TERVAL_DATADIR / "terval" / "examples"};
    if (!std::filesystem::is_directory(found.examples, failed)) return {};
    return found;
}

std::string documents_line() {
    const Documents documents = installed_documents();
    if (documents.examples.empty()) return "The user's manual: README.md; the example networks: examples/ (in the source tree)\n";
    return "The user's manual: " + documents.readme.string() + "\nThe example networks: " +
           documents.examples.string() + "\n";
}

}  // namespace platform
