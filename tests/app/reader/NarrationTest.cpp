// Narration at the child's pace and echo reading, on the headless reader: what the recordings'
// stretched lengths time, and the "say it back" turn with a microphone fed from a WAV file.
#include <algorithm>
#include <functional>

#include "ReaderTestKit.h"
#include "engine/audio/Mp3Scanner.h"
#include "support/Sound.h"
#include "support/TestSupport.h"

using namespace engine;
using readertest::ReaderTest;

namespace {

class Narration : public ReaderTest {
protected:
    VirtualClockAudioBackend* audio() { return driver->host().audio(); }
    double now() { return audio()->now(); }
    // Steps frames until done() or limit seconds of virtual time have passed; false on the limit.
    bool until(const std::function<bool()>& done, double limit) {
        const double end = now() + limit;
        while (!done()) {
            if (now() > end) return false;
            frames(1);
        }
        return true;
    }
    // The time of the nth (from 0) audio-log entry of op on file; -1 when there is none.
    double logged(const std::string& op, const std::string& file, int nth = 0) {
        for (const AudioLogEntry& e : audio()->log())
            if (e.op == op && e.file == file && nth-- == 0) return e.t;
        return -1.0;
    }
    double ownLength(int p, int n) {
        return Mp3Scanner::scanFile(book + "/" + recording(p, n)).durationSeconds;
    }
    // Starts continuous reading on page p in the given mode.
    void readPage(int p, int mode) {
        app::readingMode = mode;
        openPage(p);
        run("call playPauseCallback");
    }
};

TEST_F(Narration, AtHalfSpeedAPageTakesAboutTwiceAsLongEverySentenceTwiceItsLengthAndItTurnsOnce) {
    double pageSeconds[2] = {0, 0};
    const double rates[2] = {1.0, 0.5};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE("rate " + std::to_string(rates[i]));
        app::setNarrationRate(rates[i]);
        app::autoReading = false;
        audio()->clearLog();
        readPage(26, app::READ_TURN_PAGES);
        const double start = now();
        int turns = 0, page = app::currentPage;
        double turnedAt = -1.0;
        ASSERT_TRUE(until(
            [&] {
                if (app::currentPage != page) {
                    ++turns;
                    page = app::currentPage;
                    if (turnedAt < 0) turnedAt = now();
                }
                return logged("play", recording(27, 1)) >= 0;
            },
            120));
        EXPECT_EQ(turns, 1);
        EXPECT_EQ(app::currentPage, 27);
        pageSeconds[i] = turnedAt - start;
        // Every sentence of the page lasted its own length divided by the rate.
        for (int n = 1; n <= 29 && logged("play", recording(26, n)) >= 0; ++n)
            EXPECT_NEAR(logged("end", recording(26, n)) - logged("play", recording(26, n)), ownLength(26, n) / rates[i],
                        1e-3)
                << "sentence " << n;
        EXPECT_DOUBLE_EQ(state()["audio"]["rate"].asDouble(), rates[i]);
        run("call playPauseCallback");
    }
    EXPECT_NEAR(pageSeconds[1] / pageSeconds[0], 2.0, 0.2) << pageSeconds[0] << " s, then " << pageSeconds[1] << " s";
}

TEST_F(Narration, ATouchedSentencesSubtitleStaysForItsStretchedLength) {
    app::setNarrationRate(0.5);
    openPage(26);
    const double own = ownLength(26, 2);
    tapSentence(26, 2);
    seconds(own * 1.5);
    EXPECT_TRUE(state()["subtitle"]["visible"].asBool()) << "hidden at 1.5 times the recording's own length";
    seconds(own * 0.5 + 0.5);
    EXPECT_FALSE(state()["subtitle"]["visible"].asBool());
}

class EchoReading : public Narration {
protected:
    void SetUp() override {
        Narration::SetUp();
        if (IsSkipped()) return;
        dir = testsupport::makeTempDir("quirel-echo");
        app::setEchoReading(true);
    }
    // Makes path the reader's microphone.
    void feed(const std::vector<std::int16_t>& samples, int rate) {
        ASSERT_TRUE(testsupport::writeWav(dir + "/mic.wav", samples, rate));
        std::string error;
        ASSERT_TRUE(driver->useMicrophoneFile(dir + "/mic.wav", &error)) << error;
    }
    std::string echo() { return state()["echo"].asString(); }
    bool signShown() { return page() && page()->getYourTurnSign() && page()->getYourTurnSign()->isVisible(); }
    std::string dir;
};

TEST_F(EchoReading, ItListensStopsOnTheSilenceAfterTheVoicePlaysItBackAndReadsOn) {
    int rate = 0;
    std::string why;
    const std::vector<std::int16_t> said = testsupport::speech("one two three", dir, &rate, &why);
    if (said.empty()) GTEST_SKIP() << why;
    // The child starts a moment after the sign shows.
    std::vector<std::int16_t> fed(std::size_t(rate * 0.4), 0);
    fed.insert(fed.end(), said.begin(), said.end());
    feed(fed, rate);

    readPage(26, app::READ_REPEAT_PAGE);
    const std::string first = recording(26, 1), second = recording(26, 2);
    ASSERT_TRUE(until([&] { return logged("end", first) >= 0; }, 30));
    const double ended = logged("end", first);
    frames(6);
    EXPECT_EQ(echo(), "listening");
    EXPECT_TRUE(signShown());
    EXPECT_FALSE(playing());

    ASSERT_TRUE(until([&] { return logged("play", AudioBackend::kVoiceName) >= 0; }, 30));
    EXPECT_EQ(echo(), "playing back");
    EXPECT_FALSE(signShown());
    // Stopped 0.6 s after the voice, long before the bound of twice the sentence and a second.
    const double listened = logged("play", AudioBackend::kVoiceName) - ended;
    const double voiceEnds = double(fed.size()) / rate;
    EXPECT_GE(listened, 0.4 + 0.6);
    EXPECT_LE(listened, voiceEnds + 0.6 + 0.15);
    EXPECT_LT(listened, 2 * ownLength(26, 1) + 1.0 - 0.2);

    // What was played is what the microphone heard: a run of the fed samples holding the speech.
    const std::vector<std::int16_t>& played = audio()->lastVoice();
    EXPECT_EQ(audio()->lastVoiceRate(), rate);
    ASSERT_GT(played.size(), said.size() / 2);
    auto at = std::search(fed.begin(), fed.end(), played.begin(), played.end());
    ASSERT_NE(at, fed.end()) << "the voice played back is not a run of the samples fed";
    EXPECT_LE(at - fed.begin(), long(rate * 0.4)) << "the voice's beginning was cut";

    ASSERT_TRUE(until([&] { return logged("play", second) >= 0; }, 30));
    EXPECT_GT(logged("play", second), logged("end", AudioBackend::kVoiceName));
    EXPECT_EQ(echo(), "off");
    EXPECT_TRUE(state()["echoProblem"].isNull());
}

TEST_F(EchoReading, ASilentMicrophoneIsGivenUpAfterTwiceTheSentenceAndASecond) {
    feed(std::vector<std::int16_t>(8000, 0), 16000);
    readPage(26, app::READ_REPEAT_PAGE);
    const std::string first = recording(26, 1), second = recording(26, 2);
    ASSERT_TRUE(until([&] { return logged("play", second) >= 0; }, 60));
    const double gave = logged("play", second) - logged("end", first);
    const double bound = 2 * ownLength(26, 1) + 1.0;
    EXPECT_GE(gave, bound);
    EXPECT_LE(gave, bound + 2.0) << "reading did not go on soon after giving up";
    EXPECT_EQ(logged("play", AudioBackend::kVoiceName), -1.0) << "silence was played back";
}

TEST_F(EchoReading, ATouchedSentenceGetsOneTurnAtTheNarrationSpeed) {
    int rate = 0;
    std::string why;
    const std::vector<std::int16_t> said = testsupport::speech("hello", dir, &rate, &why);
    if (said.empty()) GTEST_SKIP() << why;
    feed(said, rate);
    app::setNarrationRate(0.5);
    openPage(26);
    tapSentence(26, 3);
    ASSERT_TRUE(until([&] { return echo() == "listening"; }, 30));
    EXPECT_NEAR(now() - logged("play", recording(26, 3)), ownLength(26, 3) / 0.5, 0.1);
    ASSERT_TRUE(until([&] { return logged("end", AudioBackend::kVoiceName) >= 0; }, 30));
    seconds(5);
    EXPECT_EQ(echo(), "off");
    EXPECT_EQ(played().size(), 2u) << "after one turn nothing more plays";
}

TEST_F(EchoReading, WithNoMicrophoneItSaysSoAndReadingGoesOn) {
    readPage(26, app::READ_REPEAT_PAGE);
    const std::string first = recording(26, 1), second = recording(26, 2);
    ASSERT_TRUE(until([&] { return logged("play", second) >= 0; }, 30));
    EXPECT_LT(logged("play", second) - logged("end", first), 1.5);
    const Json::Value s = state();
    EXPECT_EQ(s["echo"].asString(), "off");
    EXPECT_NE(s["echoProblem"].asString().find("no microphone"), std::string::npos) << s["echoProblem"];
    ASSERT_TRUE(page() && page()->getEchoNotice());
    EXPECT_TRUE(page()->getEchoNotice()->isVisible());
    EXPECT_NE(std::string(page()->getEchoNotice()->getString()).find("no microphone"), std::string::npos);
}

}  // namespace
