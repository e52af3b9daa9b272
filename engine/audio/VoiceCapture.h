// The microphone as the reader sees it: start listening, collect what was heard, stop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

// What is heard stays in memory with the caller: no implementation writes it anywhere.
// Every call comes from the engine's main thread.
class VoiceCapture {
public:
    virtual ~VoiceCapture() = default;

    // Starts listening afresh, dropping anything heard before. False when nothing can listen
    // (no capture device, or capture refused); problem() then says why.
    virtual bool start() = 0;
    virtual void stop() = 0;
    // Appends what was heard since start() or the last take(): mono 16-bit at sampleRate().
    virtual void take(std::vector<std::int16_t>& out) = 0;
    virtual int sampleRate() const = 0;

    // Why the last start() failed; empty after a good one.
    const std::string& problem() const { return m_problem; }

protected:
    std::string m_problem;
};

// A capture that never listens, for hosts without a microphone; start() fails with `reason`.
class NoVoiceCapture : public VoiceCapture {
public:
    explicit NoVoiceCapture(std::string reason) : m_reason(std::move(reason)) {}
    bool start() override {
        m_problem = m_reason;
        return false;
    }
    void stop() override {}
    void take(std::vector<std::int16_t>&) override {}
    int sampleRate() const override { return 0; }

private:
    std::string m_reason;
};

}  // namespace engine
