// Reading a whole file as bytes.
#include "platform/files.h"

#include <cstdio>

namespace platform {

bool read_whole_file(const std::filesystem::path& path, std::string& bytes)
{
    bytes.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    // A folder opens but cannot be read (EISDIR): that is no input file either.
    const bool read_all = std::ferror(file) == 0;
    std::fclose(file);
    if (!read_all) bytes.clear();
    return read_all;
}

}  // namespace platform
