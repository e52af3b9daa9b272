// The engine's log function: printf-style, one line to standard error.
#pragma once

#include <functional>
#include <string>

namespace engine {

void CCLog(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Every line also goes to this observer when one is set (the headless host collects lines).
void setLogObserver(std::function<void(const std::string&)> observer);
// Silences standard error (tests that provoke many log lines); the observer still sees them.
void setLogQuiet(bool quiet);

}  // namespace engine
