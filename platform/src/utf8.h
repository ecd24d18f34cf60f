// Walking UTF-8 text by characters (code points) inside the platform layer.
#pragma once
#include <cstddef>
#include <string_view>

namespace platform::utf8 {

// True for the bytes 10xxxxxx that continue a multi-byte sequence.
inline bool is_continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }
// Byte offset at which the character number `index` (counted from 0) begins; the text length
// when the text holds no more than `index` characters. Never points inside a sequence.
std::size_t offset_of_char(std::string_view text, std::size_t index);
// True when `text` is well-formed UTF-8 (no stray or truncated sequences, no overlong forms,
// no surrogates).
bool valid(std::string_view text);

}  // namespace platform::utf8
