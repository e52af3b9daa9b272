// Real speech recordings for the audio tests, made once per test program with espeak-ng and lame.
#pragma once

#include <string>
#include <vector>

namespace audiotest {

struct Clip {
    std::string wav;
    std::string mp3;
    double wavSeconds = 0.0;  // from the WAV header: the length of the speech itself
    int wavRate = 0;
    int wavChannels = 0;
};

struct BadFile {
    std::string what;
    std::string path;
};

class AudioClips {
public:
    // Makes everything on the first call; null when the tools are missing or failed, with
    // reason() saying why (tests skip with it).
    static const AudioClips* get();
    static const std::string& reason();

    std::string dir;
    Clip shortCbr;   // "Hello there" at 32 kbit/s: frames too small for an Info tag
    Clip shortInfo;  // the same speech at 64 kbit/s, with LAME's Info tag (gapless)
    Clip shortId3;   // as shortInfo, behind an ID3v2 tag
    Clip longInfo;   // about five seconds, 64 kbit/s with Info tag
    Clip longVbr;    // the same speech, VBR with a Xing tag
    Clip stereo44;   // stereo resampled to 44.1 kHz: MPEG 1 frames, stereo side info
    Clip medium;     // about 1.5 s, for real-time playback
    // Files that must never play: missing, empty, random bytes, text, a cut-off header, a WAV.
    std::vector<BadFile> badFiles;
};

// Duration of a PCM WAV file from its header; -1 when it is not one.
double wavDuration(const std::string& path, int* rate = nullptr, int* channels = nullptr);
std::vector<unsigned char> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> randomBytes(std::size_t n, unsigned seed);

}  // namespace audiotest

#define QUIREL_REQUIRE_CLIPS(clips)                                                    \
    const ::audiotest::AudioClips* clips = ::audiotest::AudioClips::get();             \
    if (!clips) GTEST_SKIP() << "cannot make test recordings: " << ::audiotest::AudioClips::reason()
