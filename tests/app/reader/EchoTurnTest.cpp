// The end of a "say it back" turn decided on the samples heard: a child who never stops is cut
// at the bound with the speech kept; speech arriving in small pieces ends as in one.
#include <gtest/gtest.h>

#include "app/reader/EchoTurn.h"
#include "support/Sound.h"

using app::EchoTurn;

TEST(EchoTurn, SpeechThatGoesOnIsCutAtTheBoundAndKeptWhole) {
    const int rate = 16000;
    EchoTurn turn(rate, 1.0);  // bound: 3 s
    const std::vector<std::int16_t> talk = testsupport::tone(220.0, 10.0, rate);
    std::vector<std::int16_t> piece;
    std::size_t at = 0;
    // In the odd-sized pieces a capture device delivers.
    while (!turn.finished() && at < talk.size()) {
        piece.assign(talk.begin() + long(at), talk.begin() + long(std::min(talk.size(), at + 777)));
        at += piece.size();
        turn.hear(piece);
    }
    ASSERT_TRUE(turn.finished());
    const double heard = turn.secondsHeard();
    EXPECT_NEAR(heard, 3.0, 0.021);
    const std::vector<std::int16_t> voice = turn.takeVoice();
    ASSERT_EQ(voice.size(), std::size_t(heard * rate + 0.5));
    EXPECT_TRUE(std::equal(voice.begin(), voice.end(), talk.begin()));
}

TEST(EchoTurn, AQuietCoughIsNotSpeechAndAWordEndsTheTurnAfterItsSilence) {
    const int rate = 16000;
    EchoTurn turn(rate, 2.0);
    std::vector<std::int16_t> heard = testsupport::tone(300.0, 0.5, rate, 0.01);  // hiss-level
    const std::vector<std::int16_t> word = testsupport::tone(300.0, 0.4, rate, 0.3);
    heard.insert(heard.end(), word.begin(), word.end());
    EXPECT_FALSE(turn.hear(heard));
    EXPECT_TRUE(turn.heardSpeech());
    EXPECT_FALSE(turn.hear(std::vector<std::int16_t>(std::size_t(rate * 0.55), 0)));
    EXPECT_TRUE(turn.hear(std::vector<std::int16_t>(std::size_t(rate * 0.1), 0)));
    const std::vector<std::int16_t> voice = turn.takeVoice();
    // The word with its margins, and none of the quiet before them.
    EXPECT_NEAR(double(voice.size()) / rate, 0.4 + 2 * EchoTurn::kMargin, 0.021);
}
