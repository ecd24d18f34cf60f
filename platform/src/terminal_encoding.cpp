// The terminal's encoding, taken from the locale.
#include <clocale>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>

#include <string>

#include "iconv_text.h"
#include "platform/codepage.h"

namespace platform {

namespace {

// The locale's codeset when output must be converted to it; empty when UTF-8 is shown as it is
// (a UTF-8 locale, or the C locale, which names no usable encoding).
std::string codeset_to_convert_to()
{
    std::setlocale(LC_CTYPE, "");
    const char* codeset = nl_langinfo(CODESET);
    if (codeset == nullptr || *codeset == '\0') return {};
    if (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "ANSI_X3.4-1968") == 0) return {};
    return codeset;
}

}  // namespace

TerminalEncoding::TerminalEncoding()
{
    const std::string codeset = codeset_to_convert_to();
    if (codeset.empty()) return;
    const iconv_t cd = iconv_open((codeset + "//TRANSLIT").c_str(), "UTF-8");
    if (cd != reinterpret_cast<iconv_t>(-1)) cd_ = cd;
    const iconv_t back = iconv_open("UTF-8", codeset.c_str());
    if (back != reinterpret_cast<iconv_t>(-1)) decode_cd_ = back;
    ready_ = cd_ != nullptr && decode_cd_ != nullptr;
}

TerminalEncoding::~TerminalEncoding()
{
    if (cd_ != nullptr) iconv_close(static_cast<iconv_t>(cd_));
    if (decode_cd_ != nullptr) iconv_close(static_cast<iconv_t>(decode_cd_));
}

std::string TerminalEncoding::encode(std::string_view utf8) const
{
    if (cd_ == nullptr) return std::string(utf8);
    return convert_text(static_cast<iconv_t>(cd_), utf8, SourceKind::utf8);
}

}  // namespace platform

namespace platform {

std::string TerminalEncoding::decode(std::string_view typed) const
{
    if (decode_cd_ == nullptr) return std::string(typed);
    return convert_text(static_cast<iconv_t>(decode_cd_), typed, SourceKind::single_byte);
}

}  // namespace platform
