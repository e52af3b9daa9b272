// Changes the speed of recorded audio while keeping its pitch (narration at the child's pace).
#pragma once

#include <cstddef>
#include <vector>

namespace engine {

// Interleaved float samples played `rate` times as fast (0.5 = half speed) at the same pitch.
// The result has exactly round(frames / rate) frames, so whoever times it by its length agrees
// with whoever times it by the rate. A rate of 1 copies.
std::vector<float> stretchKeepingPitch(const float* samples, std::size_t frames, int channels, int sampleRate,
                                       double rate);

}  // namespace engine
