// The microphone through SDL's audio capture device.
#pragma once

#include <SDL.h>

#include "engine/audio/VoiceCapture.h"

namespace engine {

// The device is opened by start() and closed by stop(), so the microphone is in use (and shown
// as such by the desktop) only while the reader listens.
class SdlVoiceCapture : public VoiceCapture {
public:
    static constexpr int kSampleRate = 22050;

    SdlVoiceCapture() = default;
    ~SdlVoiceCapture() override;
    SdlVoiceCapture(const SdlVoiceCapture&) = delete;
    SdlVoiceCapture& operator=(const SdlVoiceCapture&) = delete;

    bool start() override;
    void stop() override;
    void take(std::vector<std::int16_t>& out) override;
    int sampleRate() const override { return kSampleRate; }

private:
    SDL_AudioDeviceID m_device = 0;
    bool m_ownsAudioSubsystem = false;
};

}  // namespace engine
