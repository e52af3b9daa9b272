// The one music channel as SimpleAudioEngine sees it; the host picks the implementation.
#pragma once

#include <string>

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
};

}  // namespace engine
