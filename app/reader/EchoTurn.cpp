// Deciding when the child has said the sentence back: loudness in 20 ms windows.
#include "app/reader/EchoTurn.h"

#include <algorithm>
#include <cmath>

namespace app {

namespace {
// Root-mean-square level above which a window counts as speech: about -36 dBFS, well above a
// quiet room's hiss through a laptop microphone and well below a child's voice at arm's length.
constexpr double kSpeechLevel = 520.0;
}  // namespace

EchoTurn::EchoTurn(int sampleRate, double sentenceSeconds)
    : m_rate(sampleRate > 0 ? sampleRate : 1),
      m_window(std::max<std::size_t>(1, std::size_t(m_rate / 50))),
      m_limit(std::size_t(std::llround((2.0 * std::max(0.0, sentenceSeconds) + 1.0) * m_rate))) {}

void EchoTurn::judgeWindow(std::size_t begin) {
    double sum = 0.0;
    for (std::size_t i = begin; i < begin + m_window; ++i) sum += double(m_heard[i]) * double(m_heard[i]);
    if (std::sqrt(sum / double(m_window)) < kSpeechLevel) return;
    if (m_speechStart == kNone) m_speechStart = begin;
    m_speechEnd = begin + m_window;
}

bool EchoTurn::hear(const std::vector<std::int16_t>& samples) {
    if (m_finished) return true;
    m_heard.insert(m_heard.end(), samples.begin(), samples.end());
    const std::size_t quiet = std::size_t(std::llround(kSilenceAfterSpeech * m_rate));
    while (m_judged + m_window <= m_heard.size() && m_judged < m_limit) {
        judgeWindow(m_judged);
        m_judged += m_window;
        if (heardSpeech() && m_judged - m_speechEnd >= quiet) {
            m_finished = true;
            break;
        }
    }
    if (m_heard.size() >= m_limit) m_finished = true;
    if (m_finished && m_heard.size() > m_judged) m_heard.resize(m_judged);
    return m_finished;
}

std::vector<std::int16_t> EchoTurn::takeVoice() {
    if (!heardSpeech()) return {};
    const std::size_t margin = std::size_t(std::llround(kMargin * m_rate));
    const std::size_t begin = m_speechStart > margin ? m_speechStart - margin : 0;
    const std::size_t end = std::min(m_heard.size(), m_speechEnd + margin);
    std::vector<std::int16_t> voice(m_heard.begin() + std::ptrdiff_t(begin), m_heard.begin() + std::ptrdiff_t(end));
    m_heard.clear();
    m_heard.shrink_to_fit();
    return voice;
}

}  // namespace app
