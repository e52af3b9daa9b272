// The music channel of headless runs: files "play" for their real (stretched) duration on a virtual clock.
#pragma once

#include <string>
#include <vector>

#include "engine/audio/AudioBackend.h"
#include "engine/audio/Mp3DurationCache.h"

namespace engine {

// One thing that happened on the channel, at virtual time t (seconds since the backend was made).
//   "play"   a file started (file = the name as asked for), or a voice (file = kVoiceName);
//   "fail"   a play that could not start: missing or no playable MP3; nothing plays after it;
//   "stop"   a playing file was cut short, by stop() or by the next play/fail replacing it;
//   "end"    a file ran out; t is the exact moment, even when it fell inside a frame;
//   "pause", "resume".
// stop() while nothing plays leaves no entry: pages stop the channel on every build.
struct AudioLogEntry {
    double t = 0.0;
    std::string op;
    std::string file;
};

class VirtualClockAudioBackend : public AudioBackend {
public:
    bool play(const std::string& fullPath, const std::string& name, bool loop) override;
    using AudioBackend::play;
    void stop() override;
    bool isPlaying() override;
    void setVolume(float volume) override { m_volume = volume; }
    void pause() override;
    void resume() override;
    std::string currentFile() override;
    // The voice "plays" for its length; its samples are kept (in memory) for lastVoice().
    bool playVoice(const std::vector<std::int16_t>& samples, int sampleRate) override;

    // Moves the virtual clock; the headless host calls it once per frame with the frame time.
    // Negative and non-finite steps are ignored.
    void advance(float dt);

    double now() const { return m_now; }
    float volume() const { return m_volume; }
    bool isPaused() const { return m_playing && m_paused; }
    // Of the file in progress; empty / 0 when nothing plays.
    std::string currentFullPath() const;
    // The stretched length: the file's own divided by the rate it started at.
    double currentDuration() const override;
    double currentPosition() const;
    // The samples of the last voice played, as they reached the channel.
    const std::vector<std::int16_t>& lastVoice() const { return m_lastVoice; }
    int lastVoiceRate() const { return m_lastVoiceRate; }

    const std::vector<AudioLogEntry>& log() const { return m_log; }
    void clearLog() { m_log.clear(); }
    // The duration this backend gives a file at the current rate (negative when it would not play it).
    double durationOf(const std::string& fullPath);

private:
    void record(double t, const char* op, const std::string& file);
    void cutShort();

    Mp3DurationCache m_durations;
    std::vector<AudioLogEntry> m_log;
    double m_now = 0.0;
    float m_volume = 1.0f;
    bool m_playing = false;
    bool m_paused = false;
    bool m_loop = false;
    std::string m_name;
    std::string m_fullPath;
    double m_duration = 0.0;
    double m_position = 0.0;
    std::vector<std::int16_t> m_lastVoice;
    int m_lastVoiceRate = 0;
};

}  // namespace engine
