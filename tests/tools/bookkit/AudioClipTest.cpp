// Recordings through real files: every format written and decoded back keeps its length and its
// pitch; the reader's MP3s play as long as what went in; speech comes out as sound.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "engine/audio/Mp3Scanner.h"
#include "support/TestSupport.h"
#include "tools/bookkit/AudioClip.h"
#include "tools/bookkit/Speech.h"

using namespace bookkit;
using testsupport::makeTempDir;

namespace {

Pcm tone(double hz, double seconds, int rate, int channels) {
    Pcm pcm;
    pcm.rate = rate;
    pcm.channels = channels;
    const auto frames = static_cast<std::size_t>(std::lround(seconds * rate));
    for (std::size_t i = 0; i < frames; ++i) {
        const float v = 0.5f * static_cast<float>(std::sin(2.0 * M_PI * hz * static_cast<double>(i) / rate));
        for (int c = 0; c < channels; ++c) {
            pcm.samples.push_back(v);
        }
    }
    return pcm;
}

// Frequency from the rising zero crossings of the first channel, over the middle of the clip
// (away from encoder ramps at either end).
double pitchOf(const Pcm& pcm) {
    const std::size_t n = pcm.frames();
    const std::size_t from = n / 4, to = n * 3 / 4;
    int crossings = 0;
    std::size_t first = 0, last = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        const float a = pcm.samples[(i - 1) * pcm.channels], b = pcm.samples[i * pcm.channels];
        if (a < 0 && b >= 0) {
            if (crossings == 0) {
                first = i;
            }
            last = i;
            ++crossings;
        }
    }
    return crossings > 1 ? (crossings - 1) * static_cast<double>(pcm.rate) / static_cast<double>(last - first) : 0;
}

class AudioClip : public ::testing::Test {
protected:
    void SetUp() override { dir_ = makeTempDir("quirel-audioclip"); }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string dir_;
};

TEST_F(AudioClip, EveryFormatWrittenDecodesBackWithItsLengthAndPitch) {
    const Pcm source = tone(440.0, 2.0, 44100, 2);
    for (const char* ext : {".wav", ".m4a", ".ogg", ".flac", ".mp3"}) {
        SCOPED_TRACE(ext);
        const std::string path = dir_ + "/tone" + ext;
        std::string error;
        ASSERT_TRUE(writeAudioFile(path, source, error)) << error;
        EXPECT_FALSE(std::filesystem::exists(path + ".part"));
        Pcm back;
        ASSERT_TRUE(decodeAudioFile(path, back, error)) << error;
        EXPECT_NEAR(back.seconds(), 2.0, 0.05);
        EXPECT_NEAR(pitchOf(back), 440.0, 440.0 * 0.01);
        // The same file as one mono stream at another rate keeps both too.
        Pcm mono;
        ASSERT_TRUE(decodeAudioFile(path, 22050, mono, error)) << error;
        EXPECT_EQ(mono.channels, 1);
        EXPECT_EQ(mono.rate, 22050);
        EXPECT_NEAR(mono.seconds(), 2.0, 0.05);
        EXPECT_NEAR(pitchOf(mono), 440.0, 440.0 * 0.01);
    }
}

TEST_F(AudioClip, ReaderMp3PlaysExactlyAsLongAsItsSamples) {
    // Speech rate and a phone's rate: the Info tag must take the encoder's delay and padding off.
    for (int rate : {22050, 48000}) {
        SCOPED_TRACE(rate);
        std::string mp3, error;
        ASSERT_TRUE(encodeMp3(tone(300.0, 1.3, rate, 1), mp3, error)) << error;
        const engine::Mp3StreamInfo info =
            engine::Mp3Scanner::scan(reinterpret_cast<const unsigned char*>(mp3.data()), mp3.size());
        ASSERT_TRUE(info.playable) << info.problem;
        EXPECT_EQ(info.channels, 1);
        EXPECT_TRUE(info.hasInfoFrame);
        EXPECT_NEAR(info.durationSeconds, 1.3, 0.01);
    }
}

TEST_F(AudioClip, CutKeepsTheNamedPartAndClampsToTheClip) {
    const Pcm source = tone(440.0, 3.0, 8000, 2);
    EXPECT_NEAR(cut(source, 0.5, 1.75).seconds(), 1.25, 1e-9);
    EXPECT_NEAR(cut(source, 2.0, -1).seconds(), 1.0, 1e-9);
    EXPECT_NEAR(cut(source, 2.5, 9.0).seconds(), 0.5, 1e-9);
    EXPECT_EQ(cut(source, 4.0, 5.0).frames(), 0u);
    EXPECT_EQ(cut(source, 1.0, 0.5).frames(), 0u);
    const Pcm part = cut(source, 1.0, 2.0);
    ASSERT_EQ(part.channels, 2);
    EXPECT_EQ(part.samples[0], source.samples[8000 * 2]);
}

TEST_F(AudioClip, BadInputIsNamedNotCrashedOn) {
    Pcm pcm;
    std::string error;
    EXPECT_FALSE(decodeAudioFile(dir_ + "/missing.wav", pcm, error));
    EXPECT_NE(error.find("missing.wav: no such file"), std::string::npos) << error;

    std::ofstream(dir_ + "/garbage.m4a") << "this is not a recording at all, just some words";
    EXPECT_FALSE(decodeAudioFile(dir_ + "/garbage.m4a", pcm, error));
    EXPECT_NE(error.find("garbage.m4a"), std::string::npos) << error;

    // A real file cut short still gives what is there; one cut to its header gives nothing.
    ASSERT_TRUE(writeAudioFile(dir_ + "/whole.wav", tone(440.0, 1.0, 16000, 1), error)) << error;
    std::filesystem::copy_file(dir_ + "/whole.wav", dir_ + "/header.wav");
    std::filesystem::resize_file(dir_ + "/header.wav", 44);
    EXPECT_FALSE(decodeAudioFile(dir_ + "/header.wav", pcm, error));
    EXPECT_NE(error.find("header.wav"), std::string::npos) << error;

    EXPECT_FALSE(writeAudioFile(dir_ + "/tone.xyz", tone(440.0, 1.0, 16000, 1), error));
    EXPECT_FALSE(writeAudioFile(dir_ + "/empty.wav", Pcm{}, error));
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/empty.wav"));
    std::string mp3;
    EXPECT_FALSE(encodeMp3(Pcm{}, mp3, error));
}

TEST_F(AudioClip, SpeechIsSoundOfAPlausibleLength) {
    Speaker speaker;
    std::string error;
    ASSERT_TRUE(speaker.open(Voice{}, error)) << error;
    Pcm shortText, longText;
    ASSERT_TRUE(speaker.speak("I see a monkey.", shortText, error)) << error;
    ASSERT_TRUE(speaker.speak("I see a monkey, a lion, two tall giraffes and a very sleepy bear.", longText, error))
        << error;
    EXPECT_EQ(shortText.channels, 1);
    EXPECT_GT(shortText.seconds(), 0.5);
    EXPECT_LT(shortText.seconds(), 4.0);
    EXPECT_GT(longText.seconds(), shortText.seconds() * 2);
    float peak = 0;
    for (float v : shortText.samples) {
        peak = std::max(peak, std::fabs(v));
    }
    EXPECT_GT(peak, 0.05f);  // sound, not silence

    // A language with no voice file of its exact name takes that language's voice.
    Voice british;
    british.name = "en-gb";
    EXPECT_TRUE(speaker.open(british, error)) << error;
    Voice unknown;
    unknown.name = "no-such-voice-xx";
    EXPECT_FALSE(speaker.open(unknown, error));
    EXPECT_NE(error.find("no-such-voice-xx"), std::string::npos);
}

}  // namespace
