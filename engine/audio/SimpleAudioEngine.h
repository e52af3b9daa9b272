// The audio engine the book calls: one music channel, one file at a time, on a chosen backend.
#pragma once

#include <memory>

#include "engine/audio/AudioBackend.h"
#include "engine/audio/VoiceCapture.h"

namespace engine {

class SimpleAudioEngine {
public:
    // Made on first use with a MixerAudioBackend; the host may swap the backend at once.
    static SimpleAudioEngine* sharedEngine();
    // Destroys the shared engine and its backend; the next sharedEngine() starts afresh.
    static void end();

    // Takes over the channel; whatever the previous backend was playing stops. The current
    // volume carries over. A null backend is refused (logged) and the old one stays.
    void setBackend(std::unique_ptr<AudioBackend> backend);
    AudioBackend* getBackend() const { return m_backend.get(); }

    // Plays the file once (or over and over with loop), replacing whatever was playing.
    // Relative paths resolve against the resource root. A missing or unplayable file leaves
    // the channel silent, with a log line.
    void playBackgroundMusic(const char* path, bool loop = false);
    // releaseData is accepted for callers' sake: the channel always lets go of a stopped file.
    void stopBackgroundMusic(bool releaseData = false);
    void pauseBackgroundMusic();
    void resumeBackgroundMusic();
    // False once the file has ended, when it could not be opened, or after a stop.
    bool isBackgroundMusicPlaying();

    // Clamped to 0..1; NaN is ignored. Starts at 1.
    void setBackgroundMusicVolume(float volume);
    float getBackgroundMusicVolume() const { return m_volume; }

    // Narration speed with pitch kept, for recordings started from now on: clamped to
    // kSlowestRate..kFastestRate (NaN ignored); starts at 1 and carries over to a new backend.
    void setNarrationRate(double rate);
    double getNarrationRate() const { return m_rate; }
    static constexpr double kSlowestRate = 0.5;
    static constexpr double kFastestRate = 1.5;

    // Plays a voice held in memory (mono 16-bit), replacing whatever was playing.
    bool playVoice(const std::vector<std::int16_t>& samples, int sampleRate);

    // The microphone: made on first use as the SDL capture device unless the host gave another.
    void setVoiceCapture(std::unique_ptr<VoiceCapture> capture);
    VoiceCapture* voiceCapture();

private:
    SimpleAudioEngine();
    ~SimpleAudioEngine();

    std::unique_ptr<AudioBackend> m_backend;
    std::unique_ptr<VoiceCapture> m_capture;
    float m_volume = 1.0f;
    double m_rate = 1.0;
};

}  // namespace engine
