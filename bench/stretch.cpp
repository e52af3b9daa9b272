// The processor cost of narration at another speed: time-stretching ten seconds of voice-like
// sound in the device's format (44.1 kHz stereo float), as a fraction of the sound's length.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "engine/audio/TimeStretch.h"

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr double kSeconds = 10.0;

// A voice-like test signal: a gliding fundamental with harmonics, in syllable-long bursts, so
// the stretcher meets pitch movement and pauses as in speech.
const std::vector<float>& voiceLike() {
    static const std::vector<float> samples = [] {
        const std::size_t frames = std::size_t(kSeconds * kRate);
        std::vector<float> s(frames * kChannels);
        double phase = 0.0;
        for (std::size_t i = 0; i < frames; ++i) {
            const double t = double(i) / kRate;
            const double f0 = 180.0 + 40.0 * std::sin(2.0 * M_PI * 0.7 * t);
            phase += 2.0 * M_PI * f0 / kRate;
            const double envelope = std::fmax(0.0, std::sin(2.0 * M_PI * 2.5 * t));
            double v = 0.0;
            for (int h = 1; h <= 6; ++h) v += std::sin(phase * h) / h;
            const float x = float(0.25 * envelope * v);
            s[i * kChannels] = x;
            s[i * kChannels + 1] = x;
        }
        return s;
    }();
    return samples;
}

void stretch(benchmark::State& state, double rate) {
    const std::vector<float>& in = voiceLike();
    for (auto _ : state) {
        std::vector<float> out = engine::stretchKeepingPitch(in.data(), in.size() / kChannels, kChannels, kRate, rate);
        benchmark::DoNotOptimize(out.data());
    }
    // Seconds of processor per second of narration heard (the stretched length).
    state.counters["cpu_fraction"] = benchmark::Counter(double(state.iterations()) * kSeconds / rate,
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_StretchHalfSpeed(benchmark::State& state) { stretch(state, 0.5); }
void BM_StretchOneAndAHalf(benchmark::State& state) { stretch(state, 1.5); }

}  // namespace

BENCHMARK(BM_StretchHalfSpeed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StretchOneAndAHalf)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
