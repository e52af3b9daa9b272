// The audio engine the book calls: singleton life, name resolution, volume, backend choice.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "AudioClips.h"
#include "engine/audio/MixerAudioBackend.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/audio/VirtualClockAudioBackend.h"
#include "engine/base/CCLog.h"
#include "engine/io/CCFileUtils.h"

using engine::AudioBackend;
using engine::CCFileUtils;
using engine::SimpleAudioEngine;
using engine::VirtualClockAudioBackend;

namespace {

// Records what the engine asks of its backend, into a list that outlives the backend.
class CallRecorder : public AudioBackend {
public:
    explicit CallRecorder(std::shared_ptr<std::vector<std::string>> calls) : m_calls(calls) {}
    bool play(const std::string& fullPath, const std::string& name, bool loop) override {
        m_calls->push_back("play " + fullPath + " " + name + (loop ? " loop" : ""));
        return true;
    }
    void stop() override { m_calls->push_back("stop"); }
    bool isPlaying() override { return false; }
    void setVolume(float volume) override { m_calls->push_back("volume " + std::to_string(volume)); }
    void pause() override { m_calls->push_back("pause"); }
    void resume() override { m_calls->push_back("resume"); }
    std::string currentFile() override { return ""; }

private:
    std::shared_ptr<std::vector<std::string>> m_calls;
};

class SimpleAudioEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine::setLogQuiet(true);
        engine::setLogObserver([this](const std::string& line) { logLines.push_back(line); });
    }
    void TearDown() override {
        SimpleAudioEngine::end();
        CCFileUtils::purgeFileUtils();
        engine::setLogObserver(nullptr);
        engine::setLogQuiet(false);
    }
    // The shared engine on a virtual clock; the returned pointer lives as long as the engine.
    VirtualClockAudioBackend* useVirtualClock() {
        auto backend = std::make_unique<VirtualClockAudioBackend>();
        VirtualClockAudioBackend* raw = backend.get();
        SimpleAudioEngine::sharedEngine()->setBackend(std::move(backend));
        return raw;
    }
    std::vector<std::string> logLines;
};

}  // namespace

TEST_F(SimpleAudioEngineTest, SharedEngineLastsUntilEndAndStartsOverAfter) {
    SimpleAudioEngine* first = SimpleAudioEngine::sharedEngine();
    EXPECT_EQ(SimpleAudioEngine::sharedEngine(), first);
    EXPECT_NE(dynamic_cast<engine::MixerAudioBackend*>(first->getBackend()), nullptr)
        << "the default backend plays on the real device";
    EXPECT_EQ(first->getBackgroundMusicVolume(), 1.0f);
    first->setBackgroundMusicVolume(0.3f);
    useVirtualClock();

    SimpleAudioEngine::end();
    SimpleAudioEngine::end();  // twice is harmless
    SimpleAudioEngine* second = SimpleAudioEngine::sharedEngine();
    EXPECT_EQ(second->getBackgroundMusicVolume(), 1.0f);
    EXPECT_NE(dynamic_cast<engine::MixerAudioBackend*>(second->getBackend()), nullptr);
}

TEST_F(SimpleAudioEngineTest, RelativeNamesResolveAgainstTheResourceRoot) {
    QUIREL_REQUIRE_CLIPS(clips);
    CCFileUtils::sharedFileUtils()->setResourceRoot(clips->dir);
    VirtualClockAudioBackend* audio = useVirtualClock();
    SimpleAudioEngine* sae = SimpleAudioEngine::sharedEngine();

    const std::string name = std::filesystem::path(clips->shortInfo.mp3).filename().string();
    sae->playBackgroundMusic(name.c_str());
    EXPECT_TRUE(sae->isBackgroundMusicPlaying());
    EXPECT_EQ(audio->currentFile(), name);
    EXPECT_TRUE(std::filesystem::equivalent(audio->currentFullPath(), clips->shortInfo.mp3));

    // An absolute path is played as it stands, whatever the root.
    CCFileUtils::sharedFileUtils()->setResourceRoot("/nonexistent-root");
    sae->playBackgroundMusic(clips->longInfo.mp3.c_str());
    EXPECT_TRUE(sae->isBackgroundMusicPlaying());
    EXPECT_EQ(audio->currentFullPath(), clips->longInfo.mp3);
    // ... and a relative one now looks under the new root, where there is nothing.
    sae->playBackgroundMusic(name.c_str());
    EXPECT_FALSE(sae->isBackgroundMusicPlaying());
}

TEST_F(SimpleAudioEngineTest, PlaysOnceReplacesAndStopsOnTheSingleChannel) {
    QUIREL_REQUIRE_CLIPS(clips);
    VirtualClockAudioBackend* audio = useVirtualClock();
    SimpleAudioEngine* sae = SimpleAudioEngine::sharedEngine();

    sae->playBackgroundMusic(clips->shortInfo.mp3.c_str());
    EXPECT_TRUE(sae->isBackgroundMusicPlaying());
    while (audio->now() < clips->shortInfo.wavSeconds + 0.05) audio->advance(1.0f / 60.0f);
    EXPECT_FALSE(sae->isBackgroundMusicPlaying()) << "the reader waits for this to end";

    sae->playBackgroundMusic(clips->longInfo.mp3.c_str());
    sae->playBackgroundMusic(clips->shortInfo.mp3.c_str());
    EXPECT_EQ(audio->currentFile(), clips->shortInfo.mp3);
    sae->stopBackgroundMusic();
    EXPECT_FALSE(sae->isBackgroundMusicPlaying());
    sae->playBackgroundMusic(clips->longInfo.mp3.c_str());
    sae->stopBackgroundMusic(true);
    EXPECT_FALSE(sae->isBackgroundMusicPlaying());

    sae->playBackgroundMusic(clips->longInfo.mp3.c_str());
    sae->pauseBackgroundMusic();
    EXPECT_TRUE(audio->isPaused());
    sae->resumeBackgroundMusic();
    EXPECT_FALSE(audio->isPaused());
    EXPECT_TRUE(sae->isBackgroundMusicPlaying());
}

TEST_F(SimpleAudioEngineTest, MissingOrNamelessFilesLeaveTheChannelSilent) {
    QUIREL_REQUIRE_CLIPS(clips);
    CCFileUtils::sharedFileUtils()->setResourceRoot(clips->dir);
    VirtualClockAudioBackend* audio = useVirtualClock();
    SimpleAudioEngine* sae = SimpleAudioEngine::sharedEngine();

    const std::vector<const char*> nothingToPlay = {"epc/0123456789abcdef0123456789abcdef.mp3",
                                                    "random.mp3", "empty.mp3", "", nullptr};
    for (const char* name : nothingToPlay) {
        SCOPED_TRACE(name ? name : "(null)");
        sae->playBackgroundMusic(clips->longInfo.mp3.c_str());
        ASSERT_TRUE(sae->isBackgroundMusicPlaying());
        logLines.clear();
        sae->playBackgroundMusic(name);
        EXPECT_FALSE(sae->isBackgroundMusicPlaying());
        EXPECT_EQ(audio->currentFile(), "");
        EXPECT_EQ(logLines.size(), 1u);
    }
}

TEST_F(SimpleAudioEngineTest, VolumeIsClampedAndReachesTheBackend) {
    VirtualClockAudioBackend* audio = useVirtualClock();
    SimpleAudioEngine* sae = SimpleAudioEngine::sharedEngine();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float asked;
        float kept;
    } cases[] = {{0.25f, 0.25f}, {1.5f, 1.0f}, {-0.5f, 0.0f}, {0.75f, 0.75f},
                 {inf, 1.0f},    {-inf, 0.0f}, {1.0f, 1.0f},  {0.0f, 0.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked);
        sae->setBackgroundMusicVolume(c.asked);
        EXPECT_EQ(sae->getBackgroundMusicVolume(), c.kept);
        EXPECT_EQ(audio->volume(), c.kept);
    }
    sae->setBackgroundMusicVolume(0.4f);
    sae->setBackgroundMusicVolume(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(sae->getBackgroundMusicVolume(), 0.4f);
    EXPECT_EQ(audio->volume(), 0.4f);

    // A backend chosen later starts at the engine's volume.
    VirtualClockAudioBackend* next = useVirtualClock();
    EXPECT_EQ(next->volume(), 0.4f);
}

TEST_F(SimpleAudioEngineTest, NarrationRateIsClampedReachesTheBackendAndCarriesOver) {
    VirtualClockAudioBackend* audio = useVirtualClock();
    SimpleAudioEngine* sae = SimpleAudioEngine::sharedEngine();
    EXPECT_EQ(sae->getNarrationRate(), 1.0);
    const double cases[][2] = {{0.7, 0.7}, {0.2, 0.5}, {3.0, 1.5}, {1.2, 1.2}};
    for (const auto& c : cases) {
        sae->setNarrationRate(c[0]);
        EXPECT_EQ(sae->getNarrationRate(), c[1]) << c[0];
        EXPECT_EQ(audio->rate(), c[1]) << c[0];
    }
    sae->setNarrationRate(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(audio->rate(), 1.2);
    VirtualClockAudioBackend* next = useVirtualClock();
    EXPECT_EQ(next->rate(), 1.2);
}

TEST_F(SimpleAudioEngineTest, SwitchingBackendsHandsOverTheChannel) {
    auto firstCalls = std::make_shared<std::vector<std::string>>();
    auto secondCalls = std::make_shared<std::vector<std::string>>();
    SimpleAudioEngine* sae = SimpleAudioEngine::sharedEngine();
    sae->setBackgroundMusicVolume(0.5f);
    sae->setBackend(std::make_unique<CallRecorder>(firstCalls));
    sae->playBackgroundMusic("/books/a.mp3", true);
    sae->setBackend(std::make_unique<CallRecorder>(secondCalls));
    EXPECT_EQ(*firstCalls, (std::vector<std::string>{"volume " + std::to_string(0.5f),
                                                     "play /books/a.mp3 /books/a.mp3 loop",
                                                     "stop"}));
    EXPECT_EQ(*secondCalls, (std::vector<std::string>{"volume " + std::to_string(0.5f)}));

    logLines.clear();
    AudioBackend* kept = sae->getBackend();
    sae->setBackend(nullptr);
    EXPECT_EQ(sae->getBackend(), kept);
    EXPECT_EQ(logLines.size(), 1u);
    sae->pauseBackgroundMusic();
    sae->resumeBackgroundMusic();
    EXPECT_EQ(secondCalls->back(), "resume");
}
