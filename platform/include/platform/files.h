// Whole files read into memory as bytes.
#pragma once
#include <filesystem>
#include <string>

namespace platform {

// Reads the whole file at `path` into `bytes` (out, unchanged bytes, no line-end translation).
// False when the file cannot be opened or read; `bytes` is then empty.
bool read_whole_file(const std::filesystem::path& path, std::string& bytes);

}  // namespace platform
