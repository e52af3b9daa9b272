// Finds out whether bytes are a playable MP3 stream and how long it plays, without decoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace engine {

struct Mp3StreamInfo {
    bool playable = false;
    // Seconds of audio a gapless decoder outputs: encoder delay and padding are taken off when
    // the stream declares them (LAME/Info tag), otherwise every frame counts in full.
    double durationSeconds = 0.0;
    int sampleRate = 0;
    int channels = 0;
    int samplesPerFrame = 0;
    // Complete audio frames actually present; the Xing/Info/VBRI frame is not audio.
    long long audioFrames = 0;
    bool hasInfoFrame = false;
    // Audio frames the Info frame says the stream holds; 0 when it does not say. More than
    // audioFrames means the file lost its end (or frames in the middle).
    long long declaredFrames = 0;
    // The data stops inside a frame: the file was cut, not ended by the encoder.
    bool endsInsideFrame = false;
    int encoderDelay = 0;
    int encoderPadding = 0;
    // Why the stream is not playable, for the log line.
    std::string problem;
};

// Walks MPEG audio frame headers (MPEG 1, 2 and 2.5, layers I to III). Leading ID3v2 tags and a
// trailing ID3v1 tag are skipped; junk between frames is skipped by resynchronising. The frames
// really present are counted, so a truncated file reports what a decoder can still play rather
// than what its Info frame promised.
class Mp3Scanner {
public:
    // Files above this size are refused rather than read: no recording comes near it.
    static constexpr std::uintmax_t kMaxFileBytes = 256u * 1024u * 1024u;

    static Mp3StreamInfo scan(const unsigned char* data, std::size_t size);
    static Mp3StreamInfo scanFile(const std::string& path);
};

}  // namespace engine
