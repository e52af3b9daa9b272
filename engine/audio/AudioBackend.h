// The one music channel as SimpleAudioEngine sees it; the host picks the implementation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

// Implementations play MP3 files only (the book's recordings are MP3), one at a time.
// Every call comes from the engine's main thread.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;

    // Starts fullPath from its beginning, replacing whatever was playing. `name` is the path as
    // the caller asked for it (often relative); it is what currentFile() reports, so scripts and
    // logs speak the book's names rather than machine paths. A file that is missing or is no
    // playable MP3 leaves the channel silent and returns false. With loop the file restarts
    // whenever it ends and never counts as finished.
    virtual bool play(const std::string& fullPath, const std::string& name, bool loop) = 0;
    bool play(const std::string& fullPath) { return play(fullPath, fullPath, false); }

    virtual void stop() = 0;
    // True from a successful play until the file has run out or was stopped. A paused file is
    // still in progress and counts as playing, so a reader waiting for the end keeps waiting.
    virtual bool isPlaying() = 0;
    // Already clamped to 0..1 by the caller.
    virtual void setVolume(float volume) = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;

    // The name given to the last successful play while it is in progress; empty otherwise.
    virtual std::string currentFile() = 0;

    // The narration speed, already within 0.5..1.5 (the caller's job): files started from now on
    // play rate times as fast with their pitch kept, and last their length divided by rate. A
    // file already playing keeps the speed it started with.
    void setRate(double rate) { m_rate = rate; }
    double rate() const { return m_rate; }

    // Plays mono 16-bit samples held in memory (a voice just heard), at their own speed whatever
    // the rate, replacing whatever was playing; currentFile() is kVoiceName meanwhile. Nothing of
    // it is written anywhere. False when the backend cannot play them (the channel is then silent).
    virtual bool playVoice(const std::vector<std::int16_t>& samples, int sampleRate) {
        (void)samples;
        (void)sampleRate;
        return false;
    }
    // Of what is playing, in seconds as it is heard (stretched); 0 when nothing plays or the
    // backend cannot tell.
    virtual double currentDuration() const { return 0.0; }

    static constexpr const char* kVoiceName = "(voice)";

private:
    double m_rate = 1.0;
};

}  // namespace engine
