// Sound for the tests: mono 16-bit WAV files written and read, tones, and MP3s made with lame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// A sine at hz for seconds, at amplitude (of full scale), mono.
std::vector<std::int16_t> tone(double hz, double seconds, int rate, double amplitude = 0.5);
// Writes mono 16-bit PCM; creates no folders. Fails the test and returns false when it cannot.
bool writeWav(const std::string& path, const std::vector<std::int16_t>& samples, int rate);
// An MP3 of the samples made by the lame program (constant 128 kbit/s with its gapless Info
// tag); empty with the reason in *why when lame is missing or failed.
std::string makeMp3(const std::string& path, const std::vector<std::int16_t>& samples, int rate,
                    std::string* why);
// Speech said by the espeak-ng program, as written in its WAV (mono 16-bit); empty with the
// reason in *why when it is missing or failed.
std::vector<std::int16_t> speech(const std::string& text, const std::string& scratchDir, int* rate, std::string* why);
// The samples of a mono 16-bit PCM WAV, empty when it is not one.
std::vector<std::int16_t> readWav(const std::string& path, int* rate);

// Where a tone is heard in a stream: the first and last sample louder than threshold, and its
// frequency from the rising zero crossings between (with hysteresis, so a click is not a cycle).
struct ToneMeasure {
    double seconds = 0.0;
    double hz = 0.0;
};
ToneMeasure measureTone(const std::vector<std::int16_t>& mono, int rate, int threshold = 2000);

}  // namespace testsupport
