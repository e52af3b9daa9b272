// Time-stretching with SoundTouch (WSOLA): tempo changes, pitch stays.
#include "engine/audio/TimeStretch.h"

#include <soundtouch/SoundTouch.h>

#include <algorithm>
#include <cmath>

namespace engine {

namespace {
// SoundTouch's own working size; larger blocks only add latency we do not need offline.
constexpr std::size_t kBlockFrames = 4096;
}  // namespace

std::vector<float> stretchKeepingPitch(const float* samples, std::size_t frames, int channels, int sampleRate,
                                       double rate) {
    const std::size_t ch = std::size_t(channels);
    if (frames == 0 || channels <= 0) return {};
    if (rate == 1.0) return std::vector<float>(samples, samples + frames * ch);

    const std::size_t wanted = std::size_t(std::llround(double(frames) / rate));
    soundtouch::SoundTouch st;
    st.setSampleRate(unsigned(sampleRate));
    st.setChannels(unsigned(channels));
    st.setTempo(rate);
    std::vector<float> out;
    out.reserve((wanted + kBlockFrames) * ch);
    std::vector<float> block(kBlockFrames * ch);
    auto drain = [&] {
        for (;;) {
            const unsigned got = st.receiveSamples(block.data(), unsigned(kBlockFrames));
            if (got == 0) break;
            out.insert(out.end(), block.begin(), block.begin() + std::ptrdiff_t(got * ch));
        }
    };
    for (std::size_t at = 0; at < frames; at += kBlockFrames) {
        const std::size_t n = std::min(kBlockFrames, frames - at);
        st.putSamples(samples + at * ch, unsigned(n));
        drain();
    }
    // flush() pads with silence to push the last samples through; what it adds beyond the
    // stretched length is that padding, cut below.
    st.flush();
    drain();
    out.resize(wanted * ch, 0.0f);
    return out;
}

}  // namespace engine
