// The headless music channel: real durations on the virtual clock, the play/stop/end log.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "AudioClips.h"
#include "engine/audio/VirtualClockAudioBackend.h"
#include "engine/base/CCLog.h"

using engine::AudioLogEntry;
using engine::VirtualClockAudioBackend;

namespace {

constexpr float kFrame = 1.0f / 60.0f;

// Advances in frames of 1/60 s while the clock is short of `until`.
void runUntil(VirtualClockAudioBackend& audio, double until) {
    while (audio.now() + kFrame <= until) audio.advance(kFrame);
}

std::vector<std::string> ops(const VirtualClockAudioBackend& audio) {
    std::vector<std::string> out;
    for (const AudioLogEntry& e : audio.log()) out.push_back(e.op + " " + e.file);
    return out;
}

class VirtualClockAudioBackendTest : public ::testing::Test {
protected:
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

TEST_F(VirtualClockAudioBackendTest, PlaysForTheRecordingsOwnDurationInVirtualTime) {
    QUIREL_REQUIRE_CLIPS(clips);
    for (const audiotest::Clip* clip : {&clips->shortInfo, &clips->longInfo, &clips->longVbr}) {
        SCOPED_TRACE(clip->mp3);
        VirtualClockAudioBackend audio;
        ASSERT_TRUE(audio.play(clip->mp3));
        EXPECT_TRUE(audio.isPlaying());
        EXPECT_EQ(audio.currentFile(), clip->mp3);
        // The speech's length from the WAV, less a frame of margin either way.
        const double speech = clip->wavSeconds;
        runUntil(audio, speech - 0.03);
        EXPECT_TRUE(audio.isPlaying()) << "stopped early, at " << audio.now();
        runUntil(audio, speech + 0.03 + kFrame);
        EXPECT_FALSE(audio.isPlaying()) << "still playing at " << audio.now();
        EXPECT_EQ(audio.currentFile(), "");

        ASSERT_EQ(audio.log().size(), 2u);
        EXPECT_EQ(audio.log()[0].op, "play");
        EXPECT_EQ(audio.log()[0].t, 0.0);
        EXPECT_EQ(audio.log()[1].op, "end");
        EXPECT_EQ(audio.log()[1].file, clip->mp3);
        // The end is stamped where the file ran out, not at the frame that noticed it.
        EXPECT_NEAR(audio.log()[1].t, audio.durationOf(clip->mp3), 1e-6);
        EXPECT_NEAR(audio.log()[1].t, speech, 0.03);
    }
}

TEST_F(VirtualClockAudioBackendTest, LogFollowsTheVirtualClockAndReportsNamesAsAsked) {
    QUIREL_REQUIRE_CLIPS(clips);
    VirtualClockAudioBackend audio;
    runUntil(audio, 1.0);
    const double startedAt = audio.now();
    ASSERT_TRUE(audio.play(clips->shortInfo.mp3, "epc/hello.mp3", false));
    EXPECT_EQ(audio.currentFile(), "epc/hello.mp3");
    EXPECT_EQ(audio.currentFullPath(), clips->shortInfo.mp3);
    ASSERT_EQ(audio.log().size(), 1u);
    EXPECT_EQ(audio.log()[0].t, startedAt);
    EXPECT_EQ(audio.log()[0].file, "epc/hello.mp3");
    runUntil(audio, startedAt + 0.5);
    EXPECT_NEAR(audio.currentPosition(), audio.now() - startedAt, 1e-9);
    EXPECT_NEAR(audio.currentDuration(), clips->shortInfo.wavSeconds, 0.03);

    audio.clearLog();
    EXPECT_TRUE(audio.log().empty());
    EXPECT_TRUE(audio.isPlaying());
}

TEST_F(VirtualClockAudioBackendTest, SecondPlayReplacesTheFirst) {
    QUIREL_REQUIRE_CLIPS(clips);
    VirtualClockAudioBackend audio;
    ASSERT_TRUE(audio.play(clips->longInfo.mp3, "long", false));
    runUntil(audio, 0.3);
    const double replacedAt = audio.now();
    ASSERT_TRUE(audio.play(clips->shortInfo.mp3, "short", false));
    EXPECT_EQ(audio.currentFile(), "short");
    EXPECT_EQ(ops(audio), (std::vector<std::string>{"play long", "stop long", "play short"}));
    EXPECT_EQ(audio.log()[1].t, replacedAt);
    EXPECT_EQ(audio.log()[2].t, replacedAt);

    // The second file's own length counts from its start: the first one's is forgotten.
    const double shortLength = audio.durationOf(clips->shortInfo.mp3);
    runUntil(audio, replacedAt + shortLength - 0.03);
    EXPECT_TRUE(audio.isPlaying());
    runUntil(audio, replacedAt + shortLength + 0.03);
    EXPECT_FALSE(audio.isPlaying());
    EXPECT_EQ(ops(audio).back(), "end short");

    // Playing the same file again restarts it from the beginning.
    ASSERT_TRUE(audio.play(clips->shortInfo.mp3, "short", false));
    runUntil(audio, audio.now() + 0.5);
    ASSERT_TRUE(audio.play(clips->shortInfo.mp3, "short", false));
    EXPECT_EQ(audio.currentPosition(), 0.0);
}

TEST_F(VirtualClockAudioBackendTest, StopEndsPlaybackAndLogsOnlyRealStops) {
    QUIREL_REQUIRE_CLIPS(clips);
    VirtualClockAudioBackend audio;
    audio.stop();  // nothing playing: pages stop the channel on every build
    EXPECT_TRUE(audio.log().empty());

    ASSERT_TRUE(audio.play(clips->longInfo.mp3, "long", false));
    runUntil(audio, 0.5);
    audio.stop();
    EXPECT_FALSE(audio.isPlaying());
    EXPECT_EQ(audio.currentFile(), "");
    audio.stop();
    runUntil(audio, clips->longInfo.wavSeconds + 1.0);
    EXPECT_FALSE(audio.isPlaying());
    EXPECT_EQ(ops(audio), (std::vector<std::string>{"play long", "stop long"}));
    EXPECT_NEAR(audio.log()[1].t, 0.5, kFrame);
}

TEST_F(VirtualClockAudioBackendTest, BadFilesNeverPlayAndSilenceTheChannel) {
    QUIREL_REQUIRE_CLIPS(clips);
    for (const audiotest::BadFile& bad : clips->badFiles) {
        SCOPED_TRACE(bad.what);
        VirtualClockAudioBackend audio;
        logLines.clear();
        ASSERT_TRUE(audio.play(clips->longInfo.mp3, "before", false));
        EXPECT_FALSE(audio.play(bad.path, "bad", false));
        EXPECT_FALSE(audio.isPlaying());
        EXPECT_EQ(audio.currentFile(), "");
        EXPECT_EQ(ops(audio), (std::vector<std::string>{"play before", "stop before", "fail bad"}));
        ASSERT_EQ(logLines.size(), 1u);
        EXPECT_NE(logLines[0].find(bad.path), std::string::npos) << logLines[0];
        runUntil(audio, 1.0);
        EXPECT_FALSE(audio.isPlaying());
        EXPECT_EQ(audio.log().size(), 3u);
        EXPECT_LT(audio.durationOf(bad.path), 0.0);
    }
}

TEST_F(VirtualClockAudioBackendTest, PauseHoldsThePositionAndLoopNeverEnds) {
    QUIREL_REQUIRE_CLIPS(clips);
    VirtualClockAudioBackend audio;
    ASSERT_TRUE(audio.play(clips->shortInfo.mp3, "short", false));
    const double length = audio.durationOf(clips->shortInfo.mp3);
    runUntil(audio, 0.4);
    const double heldAt = audio.currentPosition();
    audio.pause();
    EXPECT_TRUE(audio.isPaused());
    runUntil(audio, 10.0);
    EXPECT_TRUE(audio.isPlaying()) << "a paused file is still in progress";
    EXPECT_EQ(audio.currentPosition(), heldAt);
    const double resumedAt = audio.now();
    audio.resume();
    runUntil(audio, resumedAt + (length - heldAt) - 0.03);
    EXPECT_TRUE(audio.isPlaying());
    runUntil(audio, resumedAt + (length - heldAt) + 0.03);
    EXPECT_FALSE(audio.isPlaying());
    EXPECT_EQ(ops(audio),
              (std::vector<std::string>{"play short", "pause short", "resume short", "end short"}));
    EXPECT_NEAR(audio.log().back().t, resumedAt + (length - heldAt), 1e-6);

    audio.clearLog();
    ASSERT_TRUE(audio.play(clips->shortInfo.mp3, "loop", true));
    runUntil(audio, audio.now() + 3.5 * length);
    EXPECT_TRUE(audio.isPlaying());
    EXPECT_LT(audio.currentPosition(), length);
    EXPECT_EQ(ops(audio), (std::vector<std::string>{"play loop"}));
}

TEST_F(VirtualClockAudioBackendTest, NonsenseClockStepsAreIgnored) {
    QUIREL_REQUIRE_CLIPS(clips);
    VirtualClockAudioBackend audio;
    ASSERT_TRUE(audio.play(clips->shortInfo.mp3));
    for (float dt : {-1.0f, 0.0f, std::numeric_limits<float>::quiet_NaN(),
                     std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()})
        audio.advance(dt);
    EXPECT_EQ(audio.now(), 0.0);
    EXPECT_TRUE(audio.isPlaying());
    EXPECT_EQ(audio.currentPosition(), 0.0);
}

TEST_F(VirtualClockAudioBackendTest, RecordingReplacedOnDiskIsTimedAfresh) {
    QUIREL_REQUIRE_CLIPS(clips);
    const std::string path = clips->dir + "/replaced.mp3";
    std::filesystem::copy_file(clips->shortInfo.mp3, path,
                               std::filesystem::copy_options::overwrite_existing);
    VirtualClockAudioBackend audio;
    const double first = audio.durationOf(path);
    EXPECT_NEAR(first, clips->shortInfo.wavSeconds, 0.03);
    std::filesystem::copy_file(clips->longInfo.mp3, path,
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_NEAR(audio.durationOf(path), clips->longInfo.wavSeconds, 0.03);
    // A file that disappears is not played from memory.
    std::filesystem::remove(path);
    EXPECT_FALSE(audio.play(path));
    EXPECT_FALSE(audio.isPlaying());
}
