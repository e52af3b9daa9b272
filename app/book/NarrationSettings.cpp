// The narration settings value and its command-line form.
#include "app/book/NarrationSettings.h"

#include <cmath>
#include <cstdlib>

#include "engine/audio/SimpleAudioEngine.h"

namespace app {

NarrationSettings& narrationSettings() {
    static NarrationSettings settings;
    return settings;
}

void setNarrationRate(double rate) {
    if (std::isnan(rate)) return;
    const double clamped = std::fmin(engine::SimpleAudioEngine::kFastestRate,
                                     std::fmax(engine::SimpleAudioEngine::kSlowestRate, rate));
    narrationSettings().rate = std::round(clamped * 10.0) / 10.0;
    engine::SimpleAudioEngine::sharedEngine()->setNarrationRate(narrationSettings().rate);
}

void setEchoReading(bool on) {
    narrationSettings().echo = on;
    // Switching it on tries the microphone again: one may have been plugged in since.
    if (on) narrationSettings().echoProblem.clear();
}

bool parseNarrationRate(const std::string& text, double* rate) {
    if (text.empty()) return false;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (!end || *end != '\0' || !std::isfinite(value)) return false;
    const double tenths = value * 10.0;
    if (std::fabs(tenths - std::round(tenths)) > 1e-6) return false;
    if (std::round(tenths) < 5 || std::round(tenths) > 15) return false;
    *rate = std::round(tenths) / 10.0;
    return true;
}

void resetNarrationSettings() {
    narrationSettings() = NarrationSettings();
    engine::SimpleAudioEngine::sharedEngine()->setNarrationRate(1.0);
}

}  // namespace app
