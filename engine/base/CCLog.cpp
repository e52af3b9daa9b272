// The engine's log function.
#include "engine/base/CCLog.h"

#include <cstdarg>
#include <cstdio>

#include "engine/base/CCStringFormat.h"

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
    const std::string line = formatString(format, args);
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
