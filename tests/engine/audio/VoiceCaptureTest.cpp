// The microphone: SDL's capture device (through the disk driver's input file, and with no
// usable driver at all) and a WAV file heard on a clock.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "engine/audio/FileVoiceCapture.h"
#include "engine/audio/SdlVoiceCapture.h"
#include "engine/base/CCLog.h"
#include "support/Sound.h"
#include "support/TestSupport.h"

using engine::FileVoiceCapture;
using engine::SdlVoiceCapture;

namespace {

class VoiceCaptureTest : public ::testing::Test {
protected:
    void SetUp() override { engine::setLogQuiet(true); }
    void TearDown() override { engine::setLogQuiet(false); }
};

}  // namespace

TEST_F(VoiceCaptureTest, TheCaptureDeviceHearsWhatTheDiskDriverFeedsIt) {
    const std::string dir = testsupport::makeTempDir("quirel-mic");
    const std::vector<std::int16_t> fed = testsupport::tone(250.0, 0.5, SdlVoiceCapture::kSampleRate);
    {
        std::ofstream raw(dir + "/in.raw", std::ios::binary);
        raw.write(reinterpret_cast<const char*>(fed.data()), std::streamsize(fed.size() * 2));
    }
    testsupport::ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    testsupport::ScopedEnv in("SDL_DISKAUDIOFILEIN", (dir + "/in.raw").c_str());
    testsupport::ScopedEnv out("SDL_DISKAUDIOFILE", (dir + "/out.raw").c_str());
    testsupport::ScopedEnv delay("SDL_DISKAUDIODELAY", "2");

    SdlVoiceCapture mic;
    if (!mic.start()) GTEST_SKIP() << "SDL's disk driver offers no capture here: " << mic.problem();
    EXPECT_EQ(mic.problem(), "");
    std::vector<std::int16_t> heard;
    const std::uint64_t began = SDL_GetTicks64();
    while (heard.size() < fed.size() && SDL_GetTicks64() - began < 20000) {
        mic.take(heard);
        SDL_Delay(2);
    }
    mic.stop();
    ASSERT_GE(heard.size(), fed.size());
    heard.resize(fed.size());
    EXPECT_EQ(heard, fed);
    // Stopped is stopped: nothing more arrives.
    std::vector<std::int16_t> after;
    mic.take(after);
    EXPECT_TRUE(after.empty());
}

TEST_F(VoiceCaptureTest, WithNoAudioDriverListeningFailsAndSaysWhy) {
    testsupport::ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    SdlVoiceCapture mic;
    EXPECT_FALSE(mic.start());
    EXPECT_NE(mic.problem().find("no audio system"), std::string::npos) << mic.problem();
    std::vector<std::int16_t> heard;
    mic.take(heard);
    EXPECT_TRUE(heard.empty());
}

TEST_F(VoiceCaptureTest, AFileIsHeardAsTheClockMovesThenSilence) {
    const std::string dir = testsupport::makeTempDir("quirel-micfile");
    const std::vector<std::int16_t> voice = testsupport::tone(200.0, 0.4, 16000);
    ASSERT_TRUE(testsupport::writeWav(dir + "/voice.wav", voice, 16000));
    double now = 5.0;
    FileVoiceCapture mic([&now] { return now; });
    ASSERT_TRUE(mic.load(dir + "/voice.wav")) << mic.error();
    EXPECT_EQ(mic.sampleRate(), 16000);

    std::vector<std::int16_t> heard;
    mic.take(heard);
    EXPECT_TRUE(heard.empty()) << "nothing is heard before listening starts";
    ASSERT_TRUE(mic.start());
    now += 0.25;
    mic.take(heard);
    EXPECT_EQ(heard.size(), 4000u);
    now += 0.25;
    mic.take(heard);
    ASSERT_EQ(heard.size(), 8000u);
    EXPECT_TRUE(std::equal(voice.begin(), voice.end(), heard.begin()));
    EXPECT_TRUE(std::all_of(heard.begin() + long(voice.size()), heard.end(), [](std::int16_t x) { return x == 0; }));
    // A new start hears the file from its beginning again.
    mic.stop();
    ASSERT_TRUE(mic.start());
    now += 0.1;
    std::vector<std::int16_t> again;
    mic.take(again);
    ASSERT_EQ(again.size(), 1600u);
    EXPECT_TRUE(std::equal(again.begin(), again.end(), voice.begin()));
}

TEST_F(VoiceCaptureTest, AFileThatIsNoWavIsRefusedByName) {
    const std::string dir = testsupport::makeTempDir("quirel-micbad");
    testsupport::writeFile(dir + "/voice.wav", "not a wave");
    FileVoiceCapture mic([] { return 0.0; });
    EXPECT_FALSE(mic.load(dir + "/voice.wav"));
    EXPECT_NE(mic.error().find(dir + "/voice.wav"), std::string::npos) << mic.error();
    EXPECT_FALSE(mic.start());
    EXPECT_FALSE(mic.problem().empty());
}
