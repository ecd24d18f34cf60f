// Code page 1250 of the report and control files.
#include <iconv.h>

#include <stdexcept>

#include "iconv_text.h"
#include "platform/codepage.h"

namespace platform {

namespace {

// A converter opened once for the whole run.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

const Converter& utf8_to_1250()
{
    static const Converter converter("CP1250", "UTF-8");
    return converter;
}

const Converter& cp1250_to_utf8()
{
    static const Converter converter("UTF-8", "CP1250");
    return converter;
}

}  // namespace

bool code_pages_ready()
{
    try {
        utf8_to_1250();
        cp1250_to_utf8();
        return true;
    } catch (const std::runtime_error&) {
        return false;
    }
}

std::string to_cp1250(std::string_view utf8)
{
    // Most records are plain ASCII (numbers and blanks), which code page 1250 keeps byte for
    // byte: no conversion needed.
    bool ascii = true;
    for (const char c : utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::string(utf8);
    return convert_text(utf8_to_1250().get(), utf8, SourceKind::utf8);
}

std::string from_cp1250(std::string_view bytes)
{
    return convert_text(cp1250_to_utf8().get(), bytes, SourceKind::single_byte);
}

}  // namespace platform
