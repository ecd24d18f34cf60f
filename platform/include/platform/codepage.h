// Conversion of the program's UTF-8 texts to the code pages of its files and of the terminal.
#pragma once
#include <string>
#include <string_view>

namespace platform {

// Opens the two converters of code page 1250 (each once for the whole run); false when one
// cannot be opened (iconv needs a free descriptor and memory to load its tables). A program
// calls it before it opens its files: the conversions below then never fail to open one, which
// they otherwise signal by a std::runtime_error.
bool code_pages_ready();
// UTF-8 to code page 1250 (report and control files). Characters without a place in 1250 become '?'.
std::string to_cp1250(std::string_view utf8);
// Code page 1250 back to UTF-8 (tests and the demo read reports with it).
std::string from_cp1250(std::string_view bytes);
// True when the bytes are well-formed UTF-8 (used to tell UTF-8 input text from code page 1250).
bool is_valid_utf8(std::string_view bytes);

// Converts UTF-8 to the terminal's encoding, taken from the locale (nl_langinfo(CODESET) after
// setlocale(LC_CTYPE, "")); UTF-8 where the locale names no usable encoding. Uses iconv.
class TerminalEncoding {
public:
    TerminalEncoding();
    ~TerminalEncoding();
    TerminalEncoding(const TerminalEncoding&) = delete;
    TerminalEncoding& operator=(const TerminalEncoding&) = delete;
    // False when the locale names an encoding that no converter could be opened for.
    bool ready() const { return ready_; }
    std::string encode(std::string_view utf8) const;
    // A line typed on the terminal, converted to UTF-8 (unchanged on a UTF-8 terminal).
    std::string decode(std::string_view typed) const;

private:
    void* cd_ = nullptr;        // iconv_t UTF-8 -> terminal, or null when the terminal is UTF-8
    void* decode_cd_ = nullptr; // iconv_t terminal -> UTF-8
    bool ready_ = true;
};

}  // namespace platform
