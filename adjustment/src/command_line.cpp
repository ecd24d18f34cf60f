// What a console program says of itself when it is started with an argument.
#include "adjustment/command_line.h"

#include <cstdio>
#include <string_view>

#include "platform/installation.h"

namespace adjustment {

std::string usage_text(const Profile& p) {
    const std::string& name = p.about.name;
    const std::string database = p.database_prompt.empty() ? "" : ", the point database or n for none";
    return "Usage: " + name + "\n" +
           "       " + name + " --version\n\n" +
           p.about.summary + "\n\n" +
           "It takes no arguments: it asks on the console for every file it uses (the new report, the input\n"
           "file" + database + ") and then for what it is to compute, in Czech.\n"
           "The files lie in the data folder: the folder named by the environment variable TERVAL_DATA, or else\n"
           "the current folder. The status is 0 for a finished run and 1 for every other end.\n\n" +
           "The manual page: man " + name + "\n" + platform::documents_line();
}

std::string version_line(const Profile& p) { return p.about.name + " " + p.about.version + "\n"; }

std::optional<int> answer_arguments(const Profile& p, int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    const std::string text = std::string_view(argv[1]) == "--version" ? version_line(p) : usage_text(p);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace adjustment
