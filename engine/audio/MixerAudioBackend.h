// The music channel on a real audio device through SDL2_mixer, silent but on time without one.
#pragma once

#include <cstdint>
#include <string>

#include "engine/audio/AudioBackend.h"
#include "engine/audio/Mp3DurationCache.h"

struct _Mix_Music;

namespace engine {

// The device is opened on the first play, not before: a reader that never plays a sentence
// never touches the sound system. When no device can be opened (no sound card, a headless
// box), every playable file still "plays" silently for its real duration on the wall clock,
// so a reader waiting for the end of a sentence behaves as it would with sound.
// SDL2_mixer has a single music stream per process: use one instance at a time.
class MixerAudioBackend : public AudioBackend {
public:
    // openDevice = false goes straight to silent playback (tests of the fallback).
    explicit MixerAudioBackend(bool openDevice = true);
    ~MixerAudioBackend() override;
    MixerAudioBackend(const MixerAudioBackend&) = delete;
    MixerAudioBackend& operator=(const MixerAudioBackend&) = delete;

    bool play(const std::string& fullPath, const std::string& name, bool loop) override;
    using AudioBackend::play;
    void stop() override;
    bool isPlaying() override;
    void setVolume(float volume) override;
    void pause() override;
    void resume() override;
    std::string currentFile() override;

    // True once a device is open (after the first play at the earliest).
    bool hasDevice() const { return m_device == Device::Open; }
    // True when the file in progress plays on the clock rather than on the device.
    bool isSilent() const { return m_source == Source::Clock; }
    // Of the file in progress, as the decoder reports it (or the scanner when silent); 0 when
    // nothing plays or the decoder cannot tell.
    double currentDuration() const;

private:
    enum class Device { Unopened, Open, Unavailable };
    enum class Source { None, Mixer, Clock };

    bool ensureDevice();
    void closeDevice();
    void release();
    std::uint64_t clockMs() const;

    Mp3DurationCache m_durations;
    Device m_device;
    Source m_source = Source::None;
    bool m_ownsAudioSubsystem = false;
    bool m_ownsDecoders = false;
    _Mix_Music* m_music = nullptr;
    float m_volume = 1.0f;
    std::string m_name;
    bool m_loop = false;
    bool m_paused = false;
    // Silent playback: when it started and how long it has been paused.
    double m_duration = 0.0;
    std::uint64_t m_startMs = 0;
    std::uint64_t m_pausedAtMs = 0;
    std::uint64_t m_pausedTotalMs = 0;
};

}  // namespace engine
