// Character counting and validation of UTF-8 text.
#include "utf8.h"

#include "platform/codepage.h"
#include "platform/record.h"

namespace platform::utf8 {

std::size_t offset_of_char(std::string_view text, std::size_t index)
{
    std::size_t n = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (is_continuation(text[at])) continue;
        if (n == index) return at;
        ++n;
    }
    return text.size();
}

namespace {

// Length of the sequence that a valid lead byte opens.
std::size_t sequence_length(unsigned char lead) { return lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4; }

}  // namespace

bool valid(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead < 0x80) { ++at; continue; }
        if (lead < 0xC2 || lead > 0xF4) return false;
        const std::size_t len = sequence_length(lead);
        if (at + len > text.size()) return false;
        char32_t cp = lead & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
        for (std::size_t k = 1; k < len; ++k) {
            if (!is_continuation(text[at + k])) return false;
            cp = (cp << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
        }
        const char32_t least = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        at += len;
    }
    return true;
}

}  // namespace platform::utf8

namespace platform {

int char_count(std::string_view utf8)
{
    int n = 0;
    for (char c : utf8)
        if (!utf8::is_continuation(c)) ++n;
    return n;
}

bool is_valid_utf8(std::string_view text) { return utf8::valid(text); }

}  // namespace platform
