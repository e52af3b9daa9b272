// One "say it back" turn: listens to what the microphone hears after a sentence, decides when
// the child has finished, and keeps the voice to play back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace app {

// Everything is measured in samples heard, not on a clock: the turn ends on what was heard,
// whether it arrives in real time from a device or from a file on a virtual clock.
class EchoTurn {
public:
    // Speech ends after this much quiet following it.
    static constexpr double kSilenceAfterSpeech = 0.6;
    // Kept before the first loud moment and after the last, so words are not clipped.
    static constexpr double kMargin = 0.15;

    // sentenceSeconds: the sentence as it was heard (stretched); the turn gives up after twice
    // that plus a second.
    EchoTurn(int sampleRate, double sentenceSeconds);

    // Takes what was heard since the last call; true once listening is over (and from then on).
    bool hear(const std::vector<std::int16_t>& samples);
    bool finished() const { return m_finished; }
    bool heardSpeech() const { return m_speechStart != kNone; }
    // The seconds heard so far, and the longest the turn listens.
    double secondsHeard() const { return double(m_heard.size()) / m_rate; }
    double limitSeconds() const { return double(m_limit) / m_rate; }
    // The speech with its margins (empty when none was heard); taken out of the turn.
    std::vector<std::int16_t> takeVoice();
    int sampleRate() const { return m_rate; }

private:
    static constexpr std::size_t kNone = std::size_t(-1);
    void judgeWindow(std::size_t begin);

    int m_rate;
    std::size_t m_window;  // samples per loudness window (20 ms)
    std::size_t m_limit;
    std::vector<std::int16_t> m_heard;
    std::size_t m_judged = 0;           // samples judged so far, a whole number of windows
    std::size_t m_speechStart = kNone;  // first sample of the first loud window
    std::size_t m_speechEnd = 0;        // one past the last loud window
    bool m_finished = false;
};

}  // namespace app
