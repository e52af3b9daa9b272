// The music channel on a real audio device through SDL2_mixer, silent but on time without one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/audio/AudioBackend.h"
#include "engine/audio/Mp3DurationCache.h"

struct _Mix_Music;
struct Mix_Chunk;

namespace engine {

// The device is opened on the first play, not before: a reader that never plays a sentence
// never touches the sound system. When no device can be opened (no sound card, a headless
// box), every playable file still "plays" silently for its real duration on the wall clock,
// so a reader waiting for the end of a sentence behaves as it would with sound.
// At a rate other than 1 a recording is decoded whole, stretched (TimeStretch) and played as a
// chunk on one mixer channel; at 1 it streams as music. A voice played back is a chunk too.
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
    bool playVoice(const std::vector<std::int16_t>& samples, int sampleRate) override;

    // True once a device is open (after the first play at the earliest).
    bool hasDevice() const { return m_device == Device::Open; }
    // True when the file in progress plays on the clock rather than on the device.
    bool isSilent() const { return m_source == Source::Clock; }
    // Of the file in progress, as the decoder reports it (or the scanner when silent), divided by
    // the rate it plays at; 0 when nothing plays or the decoder cannot tell.
    double currentDuration() const override;

private:
    enum class Device { Unopened, Open, Unavailable };
    enum class Source { None, Mixer, Chunk, Clock };

    bool ensureDevice();
    void closeDevice();
    void release();
    std::uint64_t clockMs() const;
    // Decodes fullPath whole and stretches it to the rate; false (logged) when the mixer cannot.
    bool loadStretched(const std::string& fullPath, double rate);
    // Starts m_samples (already in the device's format) on the chunk channel.
    bool startChunk(bool loop);
    void startClock(double seconds);

    Mp3DurationCache m_durations;
    Device m_device;
    Source m_source = Source::None;
    bool m_ownsAudioSubsystem = false;
    bool m_ownsDecoders = false;
    _Mix_Music* m_music = nullptr;
    // The chunk path: the samples in the device's format and the chunk that points into them.
    Mix_Chunk* m_chunk = nullptr;
    std::vector<std::uint8_t> m_samples;
    double m_chunkSeconds = 0.0;
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
