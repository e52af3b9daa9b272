// quirel-drive's narration options as a child process: --rate, --echo and --mic on the sample
// book, and the command lines it refuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/audio/Mp3Scanner.h"
#include "support/BookFixture.h"
#include "support/ReaderDrive.h"
#include "support/Sound.h"
#include "support/TestSupport.h"

namespace {

const char* const kTouchASentence =
    // Unit 3's first page, its second sentence (as in the README).
    "tap 300 660\nwait 2.5\ntap 320 860\nframes 2\ntap 200 678\nframes 2\nstate\nwait 12\naudiolog\nstate\n";

std::string drivePath() { return std::string(QUIREL_BINARY_DIR) + "/tools/drive/quirel-drive"; }

}  // namespace

TEST(DriveOptions, RateEchoAndMicrophoneFile) {
    const std::string book = testsupport::sampleBookDir();
    if (!std::filesystem::exists(book + "/String.xml")) GTEST_SKIP() << "the sample book has not been generated";
    const std::string dir = testsupport::makeTempDir("quirel-drive-opts");
    std::vector<std::int16_t> voice(8000, 0);
    const std::vector<std::int16_t> hum = testsupport::tone(300.0, 0.5, 16000);
    voice.insert(voice.end(), hum.begin(), hum.end());
    ASSERT_TRUE(testsupport::writeWav(dir + "/voice.wav", voice, 16000));

    const std::vector<Json::Value> out =
        testsupport::drive(book, kTouchASentence, "--rate 0.5 --echo --mic '" + dir + "/voice.wav'");
    ASSERT_EQ(out.size(), 3u);
    const Json::Value& touched = out[0];
    EXPECT_DOUBLE_EQ(touched["audio"]["rate"].asDouble(), 0.5);
    ASSERT_TRUE(touched["audio"]["playing"].asBool());
    const std::string sentence = touched["audio"]["file"].asString();

    const double own = engine::Mp3Scanner::scanFile(book + "/" + sentence).durationSeconds;
    EXPECT_NEAR(testsupport::playedSeconds(out[1], sentence), own / 0.5, 1e-3);
    // The hum fed as the microphone was played back after the sentence: half a second of it.
    EXPECT_NEAR(testsupport::playedSeconds(out[1], "(voice)"), 0.5 + 2 * 0.15, 0.05);
    EXPECT_EQ(out[2]["echo"].asString(), "off");
    EXPECT_TRUE(out[2]["echoProblem"].isNull());
}

TEST(DriveOptions, ABadRateIsBadUsageAndAMicrophoneThatIsNoWavIsBadInput) {
    const std::string book = testsupport::sampleBookDir();
    if (!std::filesystem::exists(book + "/String.xml")) GTEST_SKIP() << "the sample book has not been generated";
    for (const char* rate : {"2", "0.4", "0.75", "fast"}) {
        const testsupport::ProgramRun r =
            testsupport::runProgram("'" + drivePath() + "' --resources '" + book + "' --rate " + rate);
        EXPECT_EQ(r.exitCode, 2) << rate;
        EXPECT_NE(r.err.find("--rate"), std::string::npos) << r.err;
    }
    const std::string dir = testsupport::makeTempDir("quirel-drive-badmic");
    testsupport::writeFile(dir + "/mic.wav", "RIFF....WAVE but not really");
    const testsupport::ProgramRun r =
        testsupport::runProgram("'" + drivePath() + "' --resources '" + book + "' --echo --mic '" + dir + "/mic.wav'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(dir + "/mic.wav"), std::string::npos) << r.err;
}
