// The fixed folders of the programs on this file system.
#include "platform/paths.h"

#include <cstdlib>
#include <string>

namespace platform {

std::string_view without_padding(std::string_view name)
{
    const std::size_t last = name.find_last_not_of(' ');
    if (last == std::string_view::npos) return {};
    return name.substr(0, last + 1);
}

std::string named_data_folder()
{
    const char* folder = std::getenv("TERVAL_DATA");
    return folder != nullptr ? folder : "";
}

bool usable_name(std::string_view name)
{
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == 0x7F) return false;
        // The C1 controls U+0080..U+009F, in UTF-8 0xC2 followed by 0x80..0x9F.
        if (c == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) <= 0x9F &&
            static_cast<unsigned char>(name[i + 1]) >= 0x80)
            return false;
    }
    return true;
}

std::filesystem::path data_folder()
{
    const std::string named = named_data_folder();
    if (!named.empty()) {
        std::error_code failed;
        if (!std::filesystem::is_directory(named, failed)) return {};
        return named;
    }
    std::error_code failed;
    std::filesystem::path current = std::filesystem::current_path(failed);
    if (failed) return {};
    return current;
}

bool data_folder_found() { return !data_folder().empty(); }

std::filesystem::path in_data_folder(std::string_view name)
{
    return data_folder() / std::filesystem::path(std::string(without_padding(name)));
}

std::filesystem::path as_typed(std::string_view name)
{
    const std::filesystem::path typed(std::string(without_padding(name)));
    return typed.has_parent_path() ? typed : data_folder() / typed;
}

}  // namespace platform
