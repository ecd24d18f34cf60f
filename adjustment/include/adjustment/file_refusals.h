// Why a typed file name cannot be used, as the file dialogue tells the user, and the end of a
// run that cannot open its files at all.
#pragma once
#include <string>

namespace adjustment {

struct Run;

// The reason shown after a report name that could not be created as a new file, from the
// typed name and the errno of the creation: the file exists (also for a name that holds a
// control character, as before), no name was typed, the name is a folder ("." among them), the
// folder of the name does not exist, or the file cannot be made for another reason.
const std::string& report_refusal(const Run& run, const std::string& typed, int error);

// A file cannot be opened for want of descriptors or memory: asking again cannot help, so the
// run says so with the typed name and ends through the exit block, as failed.
[[noreturn]] void files_exhausted(Run& run, const std::string& typed);

}  // namespace adjustment
