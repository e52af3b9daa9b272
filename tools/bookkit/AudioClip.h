// Recordings as samples: decoding any sound file a phone or computer makes, cutting, and encoding
// the reader's MP3s (and, for tests and examples, other formats).
#pragma once

#include <string>
#include <vector>

namespace bookkit {

// Interleaved float samples in -1..1.
struct Pcm {
    int rate = 0;
    int channels = 0;
    std::vector<float> samples;

    std::size_t frames() const { return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0; }
    double seconds() const { return rate > 0 ? static_cast<double>(frames()) / rate : 0.0; }
};

// Decodes the first audio stream of `path` (WAV, M4A/AAC, OGG, FLAC, MP3, ...) with FFmpeg's
// libraries, keeping its rate and channel count. False with a message naming the file and what
// went wrong (missing, not audio, undecodable, empty).
bool decodeAudioFile(const std::string& path, Pcm& out, std::string& error);

// Same as one mono stream at `rate` (resampled and mixed down).
bool decodeAudioFile(const std::string& path, int rate, Pcm& out, std::string& error);

// The part of `pcm` from `beginSeconds` to `endSeconds` (clamped to the clip; end < 0: to the end).
Pcm cut(const Pcm& pcm, double beginSeconds, double endSeconds);

// The reader's recording format: MP3 (libmp3lame), mono at 64 kbit/s, at most 24 000 Hz, with the
// Info tag that tells a decoder the encoder's delay and padding.
bool encodeMp3(const Pcm& pcm, std::string& mp3, std::string& error);

// Writes `pcm` to `path` in the format its extension names: .wav, .m4a (AAC), .ogg (Vorbis),
// .flac or .mp3. Used to make test recordings and the example's voices.
bool writeAudioFile(const std::string& path, const Pcm& pcm, std::string& error);

}  // namespace bookkit
