// UTF-8 text handling shared by the labels and the text field: cleaning, counting, decoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace engine {
namespace utf8 {

// The valid UTF-8 sequences of bytes[0..len), in order; every byte that is not part of a
// well-formed character (stray continuation bytes, cut-off, overlong or surrogate forms,
// values beyond U+10FFFF, NUL) is dropped, so the result never holds half a character.
// dropped, when given, receives the number of bytes left out.
std::string clean(const char* bytes, size_t len, size_t* dropped = nullptr);
inline std::string clean(const std::string& s, size_t* dropped = nullptr) {
    return clean(s.data(), s.size(), dropped);
}

// Number of characters of a valid UTF-8 string.
size_t charCount(const std::string& valid);

// Byte length of the last character of a valid UTF-8 string (0 when empty).
size_t lastCharLength(const std::string& valid);

// Byte length of the first `chars` characters of a valid UTF-8 string (the whole string when
// it has fewer).
size_t bytesForChars(const std::string& valid, size_t chars);

// The longest start of a valid UTF-8 string that is at most `bytes` long and ends on a character
// boundary: a text cut to a byte limit never ends in half a character.
std::string cutToBytes(const std::string& valid, size_t bytes);

// The code points of a valid UTF-8 string.
std::vector<uint32_t> decode(const std::string& valid);

// The UTF-8 bytes of one code point (nothing for values that are not characters).
std::string encode(uint32_t codePoint);

}  // namespace utf8
}  // namespace engine
