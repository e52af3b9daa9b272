// Read-aloud: touching sentences, continuous reading by mode, subtitles and play/pause.
#include <cmath>

#include "ReaderTestKit.h"
#include "app/book/StringTables.h"

using namespace engine;
using readertest::ReaderTest;

namespace {
class ReadAloud : public ReaderTest {};
}  // namespace

TEST_F(ReadAloud, TouchingThePlayingSentenceDoesNotRestartItButAfterItsEndItPlaysAgain) {
    openPage(26);
    tapSentence(26, 2);
    ASSERT_TRUE(playing());
    EXPECT_EQ(playingFile(), recording(26, 2));
    EXPECT_EQ(state()["currentSentenceButton"].asString(), "bn262");
    tapSentence(26, 2);
    EXPECT_EQ(played().size(), 1u);
    seconds(5);
    ASSERT_FALSE(playing());
    tapSentence(26, 2);
    EXPECT_EQ(played().size(), 2u);
    EXPECT_TRUE(playing());
}

TEST_F(ReadAloud, AnotherSentenceStopsTheFirstAndMovesTheHighlight) {
    openPage(26);
    tapSentence(26, 1);
    ui::UIButton* first = sentence(26, 1);
    EXPECT_TRUE(first->isFocused());
    tapSentence(26, 3);
    EXPECT_FALSE(first->isFocused());
    EXPECT_TRUE(sentence(26, 3)->isFocused());
    EXPECT_EQ(playingFile(), recording(26, 3));
    EXPECT_EQ(played("stop").size(), 1u);
    EXPECT_EQ(app::nextSentence, 4);
}

TEST_F(ReadAloud, SubtitleShowsWhilePlayingAndHidesAfter) {
    openPage(26);
    tapSentence(26, 2);
    seconds(0.4);
    Json::Value sub = state()["subtitle"];
    EXPECT_EQ(sub["text"].asString(), app::lookupString("Stringstr.xml", "str262"));
    EXPECT_TRUE(sub["visible"].asBool());
    EXPECT_TRUE(sub["bgVisible"].asBool());
    seconds(5);
    sub = state()["subtitle"];
    EXPECT_FALSE(sub["visible"].asBool());
    EXPECT_FALSE(sub["bgVisible"].asBool());
}

TEST_F(ReadAloud, SubtitlesHangBelowUpperSentencesAndSitAboveLowerOnes) {
    openPage(26);
    tapSentence(26, 1);  // upper half
    Json::Value sub = state()["subtitle"];
    CCPoint p1 = sentencePoint(26, 1);
    EXPECT_LT(sub["y"].asFloat(), p1.y);
    EXPECT_LT(sub["bgY"].asFloat(), sub["y"].asFloat());  // the extra line faces the sentence
    // A page whose last sentence is in the lower half.
    openPage(24);
    int lower = 0;
    for (int n = 1; n <= app::lastSentence; ++n)
        if (sentencePoint(24, n).y < 480) lower = n;
    ASSERT_GT(lower, 0) << "page 24 has no sentence in its lower half";
    tapSentence(24, lower);
    sub = state()["subtitle"];
    EXPECT_GT(sub["y"].asFloat(), sentencePoint(24, lower).y);
    EXPECT_GT(sub["bgY"].asFloat(), sub["y"].asFloat());
}

TEST_F(ReadAloud, SubtitleIsPulledInsideTheVisibleWidth) {
    openPage(26);
    ui::UIButton* b = sentence(26, 1);
    // Move the sentence to the very left edge: the subtitle must end at the edge, not beyond.
    b->setPosition(ccp(-320, b->getPosition().y));
    tapSentence(26, 1);
    Json::Value sub = state()["subtitle"];
    const float width = std::fabs(b->getRenderer()->getScaleX()) * b->getContentSize().width;
    EXPECT_NEAR(sub["x"].asFloat(), width / 2, 0.01);
    b->setPosition(ccp(320, b->getPosition().y));
    app::currentSentenceButton = nullptr;
    tapSentence(26, 1);
    sub = state()["subtitle"];
    EXPECT_NEAR(sub["x"].asFloat(), 640 - width / 2, 0.01);
}

TEST_F(ReadAloud, TouchingSentenceThreeDuringContinuousReadingGoesOnWithFour) {
    openPage(26);
    run("call playPauseCallback");
    seconds(0.5);
    tapSentence(26, 3);
    seconds(12);
    std::vector<std::string> p = played();
    auto three = std::find(p.begin(), p.end(), recording(26, 3));
    ASSERT_NE(three, p.end());
    ASSERT_NE(three + 1, p.end());
    EXPECT_EQ(*(three + 1), recording(26, 4));
}

TEST_F(ReadAloud, RepeatPageReadsThePageAgainFromTheFirstSentence) {
    app::readingMode = app::READ_REPEAT_PAGE;
    openPage(26);
    run("call playPauseCallback");
    seconds(60);
    std::vector<std::string> p = played();
    ASSERT_GE(p.size(), 9u);
    for (size_t i = 0; i < 9; ++i) EXPECT_EQ(p[i], recording(26, static_cast<int>(i % 4) + 1)) << i;
    EXPECT_EQ(app::currentPage, 26);
}

TEST_F(ReadAloud, TurnPagesReadsOnIntoTheNextPageAndStopsOnTheLast) {
    openPage(88);
    run("call playPauseCallback");
    seconds(200);
    EXPECT_EQ(app::currentPage, 90);
    EXPECT_TRUE(app::autoReading);
    std::vector<std::string> p = played();
    // Every sentence of pages 88 to 90 once, in order, and nothing after page 90's last.
    std::vector<std::string> expected;
    for (int page = 88; page <= 90; ++page) {
        for (int n = 1; n <= 29; ++n) {
            if (app::lookupString("Stringstr.xml", app::sentenceTextKey(page, n)).empty()) break;
            expected.push_back(recording(page, n));
        }
    }
    EXPECT_EQ(p, expected);
    EXPECT_FALSE(playing());
}

TEST_F(ReadAloud, APageWithoutButtonsKeepsLastSentenceFromThePageBefore) {
    openPage(12);
    const int before = app::lastSentence;
    ASSERT_GT(before, 0);
    openPage(13);  // its layout has no sentence buttons
    EXPECT_EQ(app::lastSentence, before);
    EXPECT_EQ(app::nextSentence, 1);
}

TEST_F(ReadAloud, PlayPauseStopsTheSentenceAtOnceAndSwapsItsImage) {
    openPage(26);
    run("call playPauseCallback");
    EXPECT_EQ(state()["playPause"]["image"].asString(), "pause");
    seconds(0.5);
    ASSERT_TRUE(playing());
    run("call playPauseCallback");
    EXPECT_FALSE(playing());
    Json::Value s = state();
    EXPECT_EQ(s["playPause"]["image"].asString(), "play");
    EXPECT_FALSE(s["autoReading"].asBool());
    const size_t count = played().size();
    seconds(5);
    EXPECT_EQ(played().size(), count);
}

TEST_F(ReadAloud, ReadOnTouchHidesPlayPauseAndSwitchesContinuousReadingOff) {
    app::readingMode = app::READ_ON_TOUCH;
    app::autoReading = true;
    openPage(26);
    Json::Value s = state();
    EXPECT_FALSE(s["playPause"]["visible"].asBool());
    EXPECT_FALSE(s["autoReading"].asBool());
    seconds(3);
    EXPECT_TRUE(played().empty());
}

TEST_F(ReadAloud, SentenceButtonsCarryTheirCodesAndWordCardsKeepTheirLook) {
    openPage(24);  // ten or more sentences: two-digit sentence numbers
    ASSERT_GE(app::lastSentence, 10);
    EXPECT_EQ(sentence(24, 3)->getActionTag(), 243);
    EXPECT_EQ(sentence(24, 10)->getActionTag(), 2410);
    openPage(5);
    EXPECT_EQ(sentence(5, 3)->getActionTag(), 53);
    openPage(76);
    ui::UIButton* card = sentence(76, 1);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->getActionTag(), 761);
    tapSentence(76, 1);
    EXPECT_EQ(playingFile(), recording(76, 1));
}
