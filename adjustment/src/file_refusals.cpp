// The reasons of the file dialogue's refusals.
#include "adjustment/file_refusals.h"

#include <cerrno>
#include <filesystem>

#include "adjustment/exit_block.h"
#include "adjustment/run.h"
#include "platform/paths.h"

namespace adjustment {

const std::string& report_refusal(const Run& run, const std::string& typed, int error) {
    const Messages& t = run.text;
    if (!platform::usable_name(typed)) return t.report_exists;
    if (platform::without_padding(typed).empty()) return t.report_no_name;
    std::error_code ec;
    if (std::filesystem::is_directory(platform::in_data_folder(typed), ec)) return t.report_is_folder;
    if (error == EEXIST) return t.report_exists;
    if (error == ENOENT || error == ENOTDIR) return t.report_no_folder;
    return t.report_not_created;
}

void files_exhausted(Run& run, const std::string& typed) {
    run.console.say(run.text.files_exhausted + std::string(platform::without_padding(typed)));
    exit_block(platform::ExitStatus::failed);
}

}  // namespace adjustment
