// Conversion through iconv that never stops at a character it cannot convert.
#include "iconv_text.h"

#include <cerrno>

#include "utf8.h"

namespace platform {

namespace {

// Input bytes to pass over for the character at the start of `rest`.
std::size_t unconvertible_length(std::string_view rest, SourceKind source)
{
    if (source == SourceKind::single_byte || rest.empty()) return 1;
    std::size_t len = 1;
    while (len < rest.size() && utf8::is_continuation(rest[len])) ++len;
    return len;
}

}  // namespace

std::string convert_text(iconv_t cd, std::string_view input, SourceKind source)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string output;
    char buffer[256];
    std::size_t at = 0;
    while (at < input.size()) {
        char* in = const_cast<char*>(input.data() + at);
        std::size_t in_left = input.size() - at;
        char* out = buffer;
        std::size_t out_left = sizeof buffer;
        const std::size_t result = iconv(cd, &in, &in_left, &out, &out_left);
        const int error = errno;
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        at = input.size() - in_left;
        if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
        // EILSEQ (no place in the target, or ill-formed) or EINVAL (cut off at the end).
        output += '?';
        at += unconvertible_length(input.substr(at), source);
    }
    // Let a stateful target close its last shift sequence.
    char* out = buffer;
    std::size_t out_left = sizeof buffer;
    iconv(cd, nullptr, nullptr, &out, &out_left);
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    return output;
}

}  // namespace platform
