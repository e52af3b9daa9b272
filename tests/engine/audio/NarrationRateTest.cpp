// Narration at other speeds on the real audio path: MP3 decoded, stretched and mixed by SDL's
// disk audio driver, whose output file holds exactly the samples that reached the device.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "engine/audio/MixerAudioBackend.h"
#include "engine/audio/Mp3Scanner.h"
#include "engine/audio/VirtualClockAudioBackend.h"
#include "engine/base/CCLog.h"
#include "support/Sound.h"
#include "support/TestSupport.h"

using engine::MixerAudioBackend;

namespace {

struct DeviceOutput {
    std::vector<std::int16_t> left;  // the first channel of what was mixed
    int rate = 0;
    double reportedSeconds = 0.0;  // the backend's length of the playing file
};

// Starts something on the backend; false when it would not start.
using Start = std::function<bool(MixerAudioBackend&)>;

// Plays what start starts through the disk driver until it ends; what reached the device.
DeviceOutput playToDisk(const Start& start, const std::string& rawFile) {
    DeviceOutput out;
    testsupport::ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    testsupport::ScopedEnv file("SDL_DISKAUDIOFILE", rawFile.c_str());
    // Two milliseconds a buffer of 1024 frames: about eleven times faster than real time.
    testsupport::ScopedEnv delay("SDL_DISKAUDIODELAY", "2");
    int channels = 0;
    {
        MixerAudioBackend audio;
        EXPECT_TRUE(start(audio));
        if (!audio.hasDevice()) return out;
        Uint16 format = 0;
        Mix_QuerySpec(&out.rate, &format, &channels);
        EXPECT_EQ(format, AUDIO_S16SYS);
        out.reportedSeconds = audio.currentDuration();
        const std::uint64_t start = SDL_GetTicks64();
        while (audio.isPlaying() && SDL_GetTicks64() - start < 60000) SDL_Delay(5);
        EXPECT_FALSE(audio.isPlaying());
    }  // closing the device flushes the file
    std::ifstream f(rawFile, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    const std::size_t frames = channels > 0 ? bytes.size() / (2 * std::size_t(channels)) : 0;
    const auto* samples = reinterpret_cast<const std::int16_t*>(bytes.data());
    for (std::size_t i = 0; i < frames; ++i) out.left.push_back(samples[i * std::size_t(channels)]);
    return out;
}

}  // namespace

class NarrationRate : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = testsupport::makeTempDir("quirel-rate");
        mp3 = testsupport::makeMp3(dir + "/tone.mp3", testsupport::tone(440.0, 2.0, 44100), 44100, &why);
    }
    void SetUp() override {
        if (mp3.empty()) GTEST_SKIP() << why;
        engine::setLogQuiet(true);
    }
    void TearDown() override { engine::setLogQuiet(false); }
    static std::string dir, mp3, why;
};
std::string NarrationRate::dir, NarrationRate::mp3, NarrationRate::why;

TEST_F(NarrationRate, ATwoSecondToneLastsTwiceAsLongAtHalfSpeedAndTwoThirdsAtOneAndAHalfWithItsPitchKept) {
    for (double rate : {1.0, 0.5, 1.5}) {
        SCOPED_TRACE("rate " + std::to_string(rate));
        const DeviceOutput heard = playToDisk(
            [rate](MixerAudioBackend& audio) {
                audio.setRate(rate);
                return audio.play(mp3, "tone", false);
            },
            dir + "/out-" + std::to_string(rate) + ".raw");
        if (heard.rate == 0) GTEST_SKIP() << "SDL's disk audio driver could not be opened";
        const double expected = 2.0 / rate;
        const testsupport::ToneMeasure m = testsupport::measureTone(heard.left, heard.rate);
        EXPECT_NEAR(m.seconds, expected, expected * 0.03);
        EXPECT_NEAR(m.hz, 440.0, 440.0 * 0.02);
        // What the reader times the sentence by agrees with what was heard.
        EXPECT_NEAR(heard.reportedSeconds, expected, expected * 0.03);
    }
}

TEST_F(NarrationRate, AVoiceInMemoryReachesTheDeviceAtItsOwnSpeedWhateverTheRate) {
    const std::vector<std::int16_t> voice = testsupport::tone(300.0, 1.0, 22050);
    const DeviceOutput heard = playToDisk(
        [&voice](MixerAudioBackend& audio) {
            audio.setRate(0.5);
            return audio.playVoice(voice, 22050);
        },
        dir + "/voice.raw");
    if (heard.rate == 0) GTEST_SKIP() << "SDL's disk audio driver could not be opened";
    const testsupport::ToneMeasure m = testsupport::measureTone(heard.left, heard.rate);
    EXPECT_NEAR(m.seconds, 1.0, 0.03);
    EXPECT_NEAR(m.hz, 300.0, 6.0);
}

TEST_F(NarrationRate, WithoutADeviceAndOnTheVirtualClockRecordingsLastTheirStretchedLength) {
    const double own = engine::Mp3Scanner::scanFile(mp3).durationSeconds;
    ASSERT_NEAR(own, 2.0, 0.06);

    MixerAudioBackend silent(false);
    silent.setRate(0.5);
    ASSERT_TRUE(silent.play(mp3, "tone", false));
    EXPECT_TRUE(silent.isSilent());
    EXPECT_DOUBLE_EQ(silent.currentDuration(), own / 0.5);

    engine::VirtualClockAudioBackend virt;
    virt.setRate(1.5);
    ASSERT_TRUE(virt.play(mp3, "tone", false));
    virt.setRate(0.5);  // a file already playing keeps its speed
    for (int i = 0; i < 120 && virt.isPlaying(); ++i) virt.advance(1.0f / 60);
    ASSERT_EQ(virt.log().size(), 2u);
    EXPECT_EQ(virt.log()[1].op, "end");
    EXPECT_NEAR(virt.log()[1].t - virt.log()[0].t, own / 1.5, 1e-6);
    EXPECT_NEAR(virt.durationOf(mp3), own / 0.5, 1e-9);
}
