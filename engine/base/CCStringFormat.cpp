// printf-style formatting into a std::string: a measuring pass, then the writing pass.
#include "engine/base/CCStringFormat.h"

#include <cstdio>
#include <vector>

namespace engine {

std::string formatString(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string s;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, args);
        s.assign(buf.data(), static_cast<size_t>(n));
    }
    return s;
}

}  // namespace engine
