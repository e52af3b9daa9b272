// The MP3 scanner against real encoder output and against damaged or foreign bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "AudioClips.h"
#include "engine/audio/Mp3Scanner.h"

using engine::Mp3Scanner;
using engine::Mp3StreamInfo;

namespace {

// One MP3 frame of the stream, the resolution any frame-based duration has.
double frameSeconds(const Mp3StreamInfo& info) {
    return double(info.samplesPerFrame) / double(info.sampleRate);
}

Mp3StreamInfo scanBytes(const std::vector<unsigned char>& bytes) {
    return Mp3Scanner::scan(bytes.data(), bytes.size());
}

// An ID3v2.3 tag around `payload`, size written syncsafe as the format wants.
std::vector<unsigned char> id3Tag(const std::vector<unsigned char>& payload) {
    const std::size_t n = payload.size();
    std::vector<unsigned char> tag = {'I', 'D', '3', 3, 0, 0,
                                      static_cast<unsigned char>((n >> 21) & 0x7F),
                                      static_cast<unsigned char>((n >> 14) & 0x7F),
                                      static_cast<unsigned char>((n >> 7) & 0x7F),
                                      static_cast<unsigned char>(n & 0x7F)};
    tag.insert(tag.end(), payload.begin(), payload.end());
    return tag;
}

}  // namespace

TEST(Mp3Scanner, GaplessDurationMatchesTheEncodedSpeech) {
    QUIREL_REQUIRE_CLIPS(clips);
    const std::vector<std::pair<const char*, const audiotest::Clip*>> cases = {
        {"CBR with Info tag", &clips->shortInfo},
        {"behind an ID3v2 tag", &clips->shortId3},
        {"five seconds CBR", &clips->longInfo},
        {"VBR with Xing tag", &clips->longVbr},
        {"MPEG 1 stereo 44.1 kHz", &clips->stereo44},
    };
    for (const auto& [what, clip] : cases) {
        SCOPED_TRACE(what);
        const Mp3StreamInfo info = Mp3Scanner::scanFile(clip->mp3);
        ASSERT_TRUE(info.playable) << info.problem;
        EXPECT_TRUE(info.hasInfoFrame);
        EXPECT_NEAR(info.durationSeconds, clip->wavSeconds, frameSeconds(info));
    }
}

TEST(Mp3Scanner, StreamWithoutInfoTagCountsEncoderDelayAndPadding) {
    QUIREL_REQUIRE_CLIPS(clips);
    const Mp3StreamInfo info = Mp3Scanner::scanFile(clips->shortCbr.mp3);
    ASSERT_TRUE(info.playable) << info.problem;
    EXPECT_FALSE(info.hasInfoFrame);
    // Without gapless information a decoder plays the delay and padding too: never shorter than
    // the speech, longer by less than one frame of padding plus the encoder's delay.
    EXPECT_GE(info.durationSeconds, clips->shortCbr.wavSeconds);
    EXPECT_LE(info.durationSeconds, clips->shortCbr.wavSeconds + 0.1);
}

TEST(Mp3Scanner, ReadsTheStreamFormatFromFrameHeaders) {
    QUIREL_REQUIRE_CLIPS(clips);
    const Mp3StreamInfo mono = Mp3Scanner::scanFile(clips->shortInfo.mp3);
    EXPECT_EQ(mono.sampleRate, clips->shortInfo.wavRate);  // lame keeps 22.05 kHz speech as is
    EXPECT_EQ(mono.channels, clips->shortInfo.wavChannels);
    EXPECT_EQ(mono.samplesPerFrame, mono.sampleRate < 32000 ? 576 : 1152);

    const Mp3StreamInfo stereo = Mp3Scanner::scanFile(clips->stereo44.mp3);
    EXPECT_EQ(stereo.sampleRate, 44100);
    EXPECT_EQ(stereo.channels, clips->stereo44.wavChannels);
    EXPECT_EQ(stereo.samplesPerFrame, 1152);
    // Delay and padding are read from the LAME tag, so they are known and plausible.
    EXPECT_GT(stereo.encoderDelay, 0);
    EXPECT_LT(stereo.encoderPadding, 2 * stereo.samplesPerFrame + 1);
}

TEST(Mp3Scanner, TruncatedStreamPlaysOnlyTheFramesLeft) {
    QUIREL_REQUIRE_CLIPS(clips);
    std::vector<unsigned char> bytes = audiotest::readBytes(clips->longInfo.mp3);
    const Mp3StreamInfo whole = scanBytes(bytes);
    ASSERT_TRUE(whole.playable);
    bytes.resize(bytes.size() / 2 + 17);  // mid-frame, as a broken download would be
    const Mp3StreamInfo half = scanBytes(bytes);
    ASSERT_TRUE(half.playable) << half.problem;
    // The Info frame still promises the whole file; the frames present are what counts.
    EXPECT_LT(half.durationSeconds, whole.durationSeconds * 0.6);
    EXPECT_GT(half.durationSeconds, whole.durationSeconds * 0.4);
    // What the book check reports as a recording cut short: the promise and the stop mid-frame.
    EXPECT_EQ(whole.declaredFrames, whole.audioFrames);
    EXPECT_FALSE(whole.endsInsideFrame);
    EXPECT_EQ(half.declaredFrames, whole.declaredFrames);
    EXPECT_LT(half.audioFrames, half.declaredFrames);
    EXPECT_TRUE(half.endsInsideFrame);
}

TEST(Mp3Scanner, StreamsCutOnAFrameBoundaryStillFallShortOfTheirPromise) {
    QUIREL_REQUIRE_CLIPS(clips);
    std::vector<unsigned char> bytes = audiotest::readBytes(clips->longVbr.mp3);
    const Mp3StreamInfo whole = scanBytes(bytes);
    ASSERT_TRUE(whole.playable && whole.hasInfoFrame);
    ASSERT_GT(whole.declaredFrames, 10);
    // Cut at the first byte of a frame header near the middle: no partial frame is left.
    std::size_t cut = bytes.size() / 2;
    while (cut < bytes.size() && !(bytes[cut] == 0xFF && (bytes[cut + 1] & 0xE0) == 0xE0)) ++cut;
    bytes.resize(cut);
    const Mp3StreamInfo half = scanBytes(bytes);
    ASSERT_TRUE(half.playable) << half.problem;
    EXPECT_LT(half.audioFrames, whole.declaredFrames);
    EXPECT_EQ(half.declaredFrames, whole.declaredFrames);

    // Without an Info frame nothing is promised.
    const Mp3StreamInfo plain = Mp3Scanner::scanFile(clips->shortCbr.mp3);
    EXPECT_EQ(plain.declaredFrames, 0);
}

TEST(Mp3Scanner, JunkAndTagsAroundTheStreamAreSkipped) {
    QUIREL_REQUIRE_CLIPS(clips);
    const std::vector<unsigned char> mp3 = audiotest::readBytes(clips->shortInfo.mp3);
    const Mp3StreamInfo plain = scanBytes(mp3);
    ASSERT_TRUE(plain.playable);
    const double tolerance = frameSeconds(plain);

    {
        SCOPED_TRACE("random junk before and after the frames, then an ID3v1 tag");
        std::vector<unsigned char> bytes = audiotest::randomBytes(3000, 11);
        bytes.insert(bytes.end(), mp3.begin(), mp3.end());
        const std::vector<unsigned char> tail = audiotest::randomBytes(700, 12);
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        std::vector<unsigned char> id3v1(128, ' ');
        id3v1[0] = 'T', id3v1[1] = 'A', id3v1[2] = 'G';
        bytes.insert(bytes.end(), id3v1.begin(), id3v1.end());
        const Mp3StreamInfo info = scanBytes(bytes);
        ASSERT_TRUE(info.playable) << info.problem;
        EXPECT_NEAR(info.durationSeconds, plain.durationSeconds, tolerance);
    }
    {
        // A tag whose text happens to hold whole MP3 frames must not add them to the count.
        SCOPED_TRACE("ID3v2 tag that carries frame data");
        const std::size_t firstAudio = 208;  // after the 64 kbit/s Info frame
        ASSERT_GT(mp3.size(), firstAudio + 20 * 208);
        std::vector<unsigned char> payload(mp3.begin() + firstAudio,
                                           mp3.begin() + firstAudio + 20 * 208);
        std::vector<unsigned char> bytes = id3Tag(payload);
        bytes.insert(bytes.end(), mp3.begin(), mp3.end());
        const Mp3StreamInfo info = scanBytes(bytes);
        ASSERT_TRUE(info.playable) << info.problem;
        EXPECT_TRUE(info.hasInfoFrame);
        EXPECT_NEAR(info.durationSeconds, plain.durationSeconds, tolerance);
    }
    {
        SCOPED_TRACE("two ID3v2 tags in a row");
        std::vector<unsigned char> bytes = id3Tag(std::vector<unsigned char>(40, 0));
        const std::vector<unsigned char> second = id3Tag(std::vector<unsigned char>(90, 0x55));
        bytes.insert(bytes.end(), second.begin(), second.end());
        bytes.insert(bytes.end(), mp3.begin(), mp3.end());
        const Mp3StreamInfo info = scanBytes(bytes);
        ASSERT_TRUE(info.playable) << info.problem;
        EXPECT_NEAR(info.durationSeconds, plain.durationSeconds, tolerance);
    }
}

TEST(Mp3Scanner, RefusesWhatNoDecoderCouldPlay) {
    QUIREL_REQUIRE_CLIPS(clips);
    for (const audiotest::BadFile& bad : clips->badFiles) {
        SCOPED_TRACE(bad.what);
        const Mp3StreamInfo info = Mp3Scanner::scanFile(bad.path);
        EXPECT_FALSE(info.playable);
        EXPECT_EQ(info.durationSeconds, 0.0);
        EXPECT_FALSE(info.problem.empty());
    }

    const std::vector<unsigned char> mp3 = audiotest::readBytes(clips->shortInfo.mp3);
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
    };
    std::vector<unsigned char> hugeTag = id3Tag({});
    hugeTag[6] = 0x7F;  // claims about 256 MB
    hugeTag.insert(hugeTag.end(), mp3.begin(), mp3.end());
    std::vector<Case> cases = {
        {"all 0xFF (sync bits everywhere)", std::vector<unsigned char>(8192, 0xFF)},
        {"all zero", std::vector<unsigned char>(8192, 0)},
        {"a lone frame header", std::vector<unsigned char>(mp3.begin() + 208, mp3.begin() + 212)},
        {"ID3v2 tag longer than the file", hugeTag},
    };
    for (unsigned seed = 1; seed <= 8; ++seed)
        cases.push_back({"random bytes", audiotest::randomBytes(4096u * seed, seed * 101u)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Mp3StreamInfo info = scanBytes(c.bytes);
        EXPECT_FALSE(info.playable);
        EXPECT_FALSE(info.problem.empty());
    }
    EXPECT_FALSE(Mp3Scanner::scan(nullptr, 100).playable);
}
