// Speaking text with espeak-ng (the library), for sentences that have no recording.
#pragma once

#include <string>

#include "tools/bookkit/AudioClip.h"

namespace bookkit {

struct Voice {
    std::string name = "en-us";  // an espeak-ng voice name
    int speed = 140;             // words per minute
    int pitch = 50;              // 0..100
};

// espeak-ng keeps one process-wide synthesiser: a Speaker is its only user while it lives, and
// speaks one text at a time.
class Speaker {
public:
    Speaker();
    ~Speaker();
    Speaker(const Speaker&) = delete;
    Speaker& operator=(const Speaker&) = delete;

    // Starts the synthesiser with `voice`; false with a message when espeak-ng or the voice is missing.
    bool open(const Voice& voice, std::string& error);
    // Speaks `text` into mono samples at the synthesiser's rate.
    bool speak(const std::string& text, Pcm& out, std::string& error);

private:
    bool open_ = false;
};

}  // namespace bookkit
