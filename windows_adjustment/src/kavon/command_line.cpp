// The arguments of KAVON that it answers itself.
#include "kavon/command_line.h"

#include "kavon/texts.h"
#include "platform/installation.h"

#include <cstdio>
#include <string_view>

namespace kavon {

std::string usageText() {
    return std::string("Usage: kavon [toolkit options]\n"
                       "       kavon --version\n\n"
                       "The windowed least-squares adjustment of a local spatial geodetic network. \"Otevření souboru\"\n"
                       "opens an input file of the spatial layout (the one ostrel reads), \"Čtení ze souboru\" reads it\n"
                       "into the tables, \"Výpočet\" performs one linearisation of the adjustment and \"Zobrazení\n"
                       "výsledků\" shows the results. Nothing is saved; the work file TESTFILE is written into the\n"
                       "current folder. The options of the Qt toolkit (such as -platform or -style) are passed to it.\n"
                       "\nThe manual page: man kavon\n") +
           platform::documents_line();
}

std::optional<int> answerArguments(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    const std::string_view argument = argv[1];
    std::string text;
    if (argument == "--version")
        text = std::string("kavon ") + texts::version + "\n";
    else if (argument == "--help" || argument == "-h")
        text = usageText();
    else
        return std::nullopt;
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace kavon
