// The engine's log function.
#include "engine/base/CCLog.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace engine {

namespace {
std::function<void(const std::string&)>& observer() {
    static std::function<void(const std::string&)> o;
    return o;
}
bool s_quiet = false;
}  // namespace

void CCLog(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string line;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, args);
        line.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(args);
    if (!s_quiet) {
        std::fputs(line.c_str(), stderr);
        std::fputc('\n', stderr);
    }
    if (observer()) observer()(line);
}

void setLogObserver(std::function<void(const std::string&)> o) { observer() = std::move(o); }
void setLogQuiet(bool quiet) { s_quiet = quiet; }

}  // namespace engine
