// One pass of a text through an open iconv converter, with a '?' for what cannot be converted.
#pragma once
#include <iconv.h>

#include <string>
#include <string_view>

namespace platform {

// How many input bytes one unconvertible character takes, so that the pass can step over it.
enum class SourceKind { utf8, single_byte };

// Converts `input` with the converter `cd` (reset first). A character that the target has no
// place for, or an ill-formed input sequence, becomes one '?'.
std::string convert_text(iconv_t cd, std::string_view input, SourceKind source);

}  // namespace platform
