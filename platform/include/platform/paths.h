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
// A typed name without the blanks that pad it to its field width (the trailing ones: a name is
// used as typed).
std::string_view without_padding(std::string_view name);
// The file that a program names by a fixed folder literal and a (typed) name: the name's padding
// blanks removed, placed in the data folder. The literal only shows in texts.
std::filesystem::path in_data_folder(std::string_view name);
// A typed name of a file that the program names without a folder literal (the point database),
// its padding blanks removed: a bare file name is the data folder's, as the names typed after a
// folder literal are; a name with a folder in it is used as typed (relative to the current
// directory, or absolute).
std::filesystem::path as_typed(std::string_view name);

}  // namespace platform
