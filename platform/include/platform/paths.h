// The fixed folders of the programs ("H:\TEST\IG\", "F:", ...) mapped onto one data folder.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// The data folder: $TERVAL_DATA when set and not empty, else the current working directory;
// empty when there is none ($TERVAL_DATA names no folder, or without it the current folder has
// been removed).
std::filesystem::path data_folder();
// False when the data folder cannot be found (data_folder() is empty): a program says so and
// ends before its dialogue starts.
bool data_folder_found();
// The folder that $TERVAL_DATA names, as set; empty when it is not set (or set empty).
std::string named_data_folder();
// False for a typed name that cannot name a file: one holding a control character, a NUL and
// the others below 0x20, DEL (0x7F) or one of the C1 controls U+0080..U+009F (the file system
// would cut the name there or take it as typed garbage). The name is in UTF-8.
bool usable_name(std::string_view name);
// The file that a program names by a fixed folder literal and a (typed) name: the name's padding
// blanks removed, placed in the data folder. The literal only shows in texts.
std::filesystem::path in_data_folder(std::string_view name);
// A name used as typed, relative to the current directory (the point database), blanks removed.
std::filesystem::path as_typed(std::string_view name);

}  // namespace platform
