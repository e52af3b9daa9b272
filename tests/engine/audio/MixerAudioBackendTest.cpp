// The SDL2_mixer music channel: real-device playback (dummy driver), silent fallback, bad files.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "AudioClips.h"
#include "engine/audio/MixerAudioBackend.h"
#include "engine/audio/Mp3Scanner.h"
#include "engine/base/CCLog.h"

using engine::MixerAudioBackend;

namespace {

// Polls until the file is over; the wall-clock seconds it took, or a negative value when it
// was still playing after `limit` seconds.
double secondsUntilEnd(MixerAudioBackend& audio, std::uint64_t startMs, double limit) {
    while (audio.isPlaying()) {
        if (double(SDL_GetTicks64() - startMs) / 1000.0 > limit) return -1.0;
        SDL_Delay(5);
    }
    return double(SDL_GetTicks64() - startMs) / 1000.0;
}

class MixerAudioBackendTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // CTest sets the dummy driver already; a developer running this program by hand on a
        // desktop may choose a real one.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
    void SetUp() override {
        engine::setLogQuiet(true);
        engine::setLogObserver([this](const std::string& line) { logLines.push_back(line); });
    }
    void TearDown() override {
        engine::setLogObserver(nullptr);
        engine::setLogQuiet(false);
    }
    std::vector<std::string> logLines;
};

}  // namespace

TEST_F(MixerAudioBackendTest, RealDevicePlaybackLastsAsLongAsTheRecording) {
    QUIREL_REQUIRE_CLIPS(clips);
    MixerAudioBackend audio;
    EXPECT_FALSE(audio.hasDevice()) << "the device opens on the first play, not before";
    const std::uint64_t start = SDL_GetTicks64();
    ASSERT_TRUE(audio.play(clips->medium.mp3, "medium", false));
    if (!audio.hasDevice())
        GTEST_SKIP() << "no audio device could be opened, not even with SDL_AUDIODRIVER="
                     << (SDL_getenv("SDL_AUDIODRIVER") ? SDL_getenv("SDL_AUDIODRIVER") : "(unset)");
    EXPECT_FALSE(audio.isSilent());
    EXPECT_TRUE(audio.isPlaying());
    EXPECT_EQ(audio.currentFile(), "medium");

    // The decoder's own idea of the length agrees with the scanner's and with the speech.
    const double scanned = engine::Mp3Scanner::scanFile(clips->medium.mp3).durationSeconds;
    EXPECT_NEAR(audio.currentDuration(), scanned, 0.03);

    const double speech = clips->medium.wavSeconds;
    const double took = secondsUntilEnd(audio, start, speech * 3);
    ASSERT_GE(took, 0.0) << "still playing after three times the recording's length";
    EXPECT_NEAR(took, speech, speech * 0.10);
    EXPECT_EQ(audio.currentFile(), "");
    EXPECT_EQ(audio.currentDuration(), 0.0);
}

TEST_F(MixerAudioBackendTest, RealDeviceVolumePauseReplaceAndStop) {
    QUIREL_REQUIRE_CLIPS(clips);
    MixerAudioBackend audio;
    audio.setVolume(0.5f);
    ASSERT_TRUE(audio.play(clips->shortInfo.mp3, "short", false));
    if (!audio.hasDevice()) GTEST_SKIP() << "no audio device could be opened";
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME / 2) << "volume set before the device opened";
    audio.setVolume(1.0f);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);

    audio.pause();
    SDL_Delay(Uint32(clips->shortInfo.wavSeconds * 1000 + 300));
    EXPECT_TRUE(audio.isPlaying()) << "a paused file is still in progress";
    audio.resume();
    EXPECT_TRUE(audio.isPlaying());

    ASSERT_TRUE(audio.play(clips->longInfo.mp3, "long", false));
    EXPECT_EQ(audio.currentFile(), "long");
    EXPECT_NEAR(audio.currentDuration(), clips->longInfo.wavSeconds, 0.03);
    audio.stop();
    EXPECT_FALSE(audio.isPlaying());
    EXPECT_FALSE(Mix_PlayingMusic()) << "stop halts the mixer's music stream";
}

TEST_F(MixerAudioBackendTest, WithoutADeviceFilesPlaySilentlyForTheirLength) {
    QUIREL_REQUIRE_CLIPS(clips);
    MixerAudioBackend audio(false);
    const std::uint64_t start = SDL_GetTicks64();
    ASSERT_TRUE(audio.play(clips->medium.mp3, "medium", false));
    EXPECT_FALSE(audio.hasDevice());
    EXPECT_TRUE(audio.isSilent());
    EXPECT_TRUE(audio.isPlaying());
    EXPECT_NEAR(audio.currentDuration(), clips->medium.wavSeconds, 0.03);
    const double speech = clips->medium.wavSeconds;
    const double took = secondsUntilEnd(audio, start, speech * 3);
    ASSERT_GE(took, 0.0);
    EXPECT_NEAR(took, speech, speech * 0.10);

    // Paused time does not count towards the length.
    ASSERT_TRUE(audio.play(clips->shortInfo.mp3, "short", false));
    audio.pause();
    SDL_Delay(Uint32(clips->shortInfo.wavSeconds * 1000 + 300));
    EXPECT_TRUE(audio.isPlaying());
    audio.resume();
    EXPECT_TRUE(audio.isPlaying());
    audio.stop();
    EXPECT_FALSE(audio.isPlaying());

    ASSERT_TRUE(audio.play(clips->shortInfo.mp3, "loop", true));
    SDL_Delay(Uint32(clips->shortInfo.wavSeconds * 1000 + 300));
    EXPECT_TRUE(audio.isPlaying()) << "a looping file never ends by itself";
}

TEST_F(MixerAudioBackendTest, BadFilesAreRefusedWithOrWithoutADevice) {
    QUIREL_REQUIRE_CLIPS(clips);
    for (bool device : {true, false}) {
        SCOPED_TRACE(device ? "device" : "silent");
        MixerAudioBackend audio(device);
        for (const audiotest::BadFile& bad : clips->badFiles) {
            SCOPED_TRACE(bad.what);
            ASSERT_TRUE(audio.play(clips->longInfo.mp3, "before", false));
            logLines.clear();
            EXPECT_FALSE(audio.play(bad.path, "bad", false));
            EXPECT_FALSE(audio.isPlaying()) << "a failed play still replaces the music";
            EXPECT_EQ(audio.currentFile(), "");
            ASSERT_FALSE(logLines.empty());
            EXPECT_NE(logLines.back().find(bad.path), std::string::npos) << logLines.back();
        }
    }
}
