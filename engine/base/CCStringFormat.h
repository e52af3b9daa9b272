// printf-style formatting into a std::string, of any length.
#pragma once

#include <cstdarg>
#include <string>

namespace engine {

// Formats like vsnprintf, without a length limit: the text is measured first, then written into a
// buffer of its size. args is used once (the measuring pass works on a copy); the caller owns its
// va_start and va_end. An encoding error gives an empty string.
std::string formatString(const char* format, va_list args)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 0)))
#endif
    ;

}  // namespace engine
