// A WAV file heard as the microphone, on a clock the host gives (the headless driver's).
#pragma once

#include <functional>
#include <string>

#include "engine/audio/VoiceCapture.h"

namespace engine {

// From start(), the file's samples become available as the clock moves, one second of sound
// per second of clock, followed by silence for as long as listening goes on.
class FileVoiceCapture : public VoiceCapture {
public:
    using Clock = std::function<double()>;
    explicit FileVoiceCapture(Clock clock) : m_clock(std::move(clock)) {}

    // Reads a PCM WAV (any rate, channels and sample format SDL reads), mixed down to mono
    // 16-bit. False with error() naming the file and the reason.
    bool load(const std::string& path);
    const std::string& error() const { return m_error; }
    // The file's samples as they are heard.
    const std::vector<std::int16_t>& samples() const { return m_samples; }

    bool start() override;
    void stop() override { m_listening = false; }
    void take(std::vector<std::int16_t>& out) override;
    int sampleRate() const override { return m_rate; }

private:
    Clock m_clock;
    std::vector<std::int16_t> m_samples;
    int m_rate = 0;
    std::string m_error;
    bool m_listening = false;
    double m_startedAt = 0.0;
    std::size_t m_delivered = 0;
};

}  // namespace engine
