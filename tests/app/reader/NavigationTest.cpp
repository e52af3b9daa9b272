// Page navigation: the bounds, the swipe rule, the page turns and the ways out of the reader.
#include "ReaderTestKit.h"

using namespace engine;
using readertest::ReaderTest;

namespace {

class Navigation : public ReaderTest {
protected:
    // A swipe on a part of the page that no widget claims (the page margin).
    void swipe(float dx1, float dx2 = 0) {
        const float y = 250, x0 = 320;  // below the sentences, above the chrome
        driver->host().touchDown(x0, y);
        frames(1);
        driver->host().touchMove(x0 + dx1, y);
        frames(1);
        if (dx2 != 0) {
            driver->host().touchMove(x0 + dx2, y);
            frames(1);
        }
        driver->host().touchUp(x0 + (dx2 != 0 ? dx2 : dx1), y);
        frames(1);
    }
};

}  // namespace

TEST_F(Navigation, FirstAndLastPagesRefuseToGoFurther) {
    openPage(1);
    run("call previousPageCallback");
    swipe(80);
    frames(40);
    EXPECT_EQ(app::currentPage, 1);
    EXPECT_EQ(state()["layer"].asString(), "TestLayer1");
    openPage(90);
    run("call nextPageCallback");
    swipe(-80);
    frames(40);
    EXPECT_EQ(app::currentPage, 90);
}

TEST_F(Navigation, FiftyPointsTurnWhileTheFingerIsDownAndLessDoesNot) {
    openPage(20);
    driver->host().touchDown(320, 250);
    frames(1);
    driver->host().touchMove(320 - 49.9f, 250);
    frames(1);
    EXPECT_EQ(app::currentPage, 20);
    driver->host().touchMove(320 - 50, 250);
    EXPECT_EQ(app::currentPage, 21);  // before the finger lifts
    frames(1);
    Json::Value s = state();
    EXPECT_EQ(s["transition"]["type"].asString(), "CCTransitionPageTurn");
    EXPECT_FALSE(s["transition"]["backwards"].asBool());
    EXPECT_EQ(s["pageChangeDirection"].asInt(), 1);
    driver->host().touchUp(260, 250);
    frames(40);
    EXPECT_EQ(state()["layer"].asString(), "TestLayer2");
}

TEST_F(Navigation, ThirtyLeftThenSixtyRightOfTheStartTurnsBack) {
    openPage(20);
    // The distance counts from the touch-down point, with its sign: -30 turns nothing, +60 turns back.
    swipe(-30, 60);
    EXPECT_EQ(app::currentPage, 19);
    Json::Value s = state();
    EXPECT_TRUE(s["transition"]["backwards"].asBool());
    EXPECT_EQ(s["pageChangeDirection"].asInt(), -1);
}

TEST_F(Navigation, TurnsLastHalfASecondAndAlternateTheTwinClasses) {
    openPage(30);
    // The call steps one frame, in which the turn starts; it runs 0.5 s (30 frames).
    run("call nextPageCallback");
    EXPECT_EQ(state()["scene"].asString(), "CCTransitionPageTurn");
    frames(28);
    EXPECT_EQ(state()["scene"].asString(), "CCTransitionPageTurn");
    frames(3);
    Json::Value s = state();
    EXPECT_EQ(s["scene"].asString(), "BookPageScene");
    EXPECT_EQ(s["layer"].asString(), "TestLayer2");
    EXPECT_TRUE(CCDirector::sharedDirector()->isDepthTest());
    run("call previousPageCallback");
    frames(35);
    s = state();
    EXPECT_EQ(s["currentPage"].asInt(), 30);
    EXPECT_EQ(s["layer"].asString(), "TestLayer1");
}

TEST_F(Navigation, OutgoingPageExitsAfterTheNextPageWasBuiltAndEntered) {
    openPage(30);
    state();  // clears the log
    run("call nextPageCallback");
    frames(40);
    Json::Value log = state()["log"];
    std::vector<std::string> lines;
    for (const auto& l : log) lines.push_back(l.asString());
    auto at = [&](const std::string& s) {
        auto it = std::find(lines.begin(), lines.end(), s);
        EXPECT_NE(it, lines.end()) << s;
        return it - lines.begin();
    };
    EXPECT_LT(at("Scene 2 onEnter"), at("Scene 1: onExitTransitionDidStart"));
    EXPECT_LT(at("Scene 1: onExitTransitionDidStart"), at("Scene 1 onExit"));
    EXPECT_LT(at("Scene 1 onExit"), at("Scene 2: onEnterTransitionDidFinish"));
}

TEST_F(Navigation, ASwipeOnASentenceIsTheButtonsNotAPageTurn) {
    openPage(26);
    CCPoint p = sentencePoint(26, 2);
    driver->host().touchDown(p.x, p.y);
    frames(1);
    driver->host().touchMove(p.x - 120, p.y);
    frames(1);
    driver->host().touchUp(p.x - 120, p.y);
    frames(40);
    EXPECT_EQ(app::currentPage, 26);
}

TEST_F(Navigation, LeavingForTheContentsClearsThePagePointersAndKeepsReading) {
    openPage(26);
    tapSentence(26, 1);
    ASSERT_NE(app::currentSentenceButton, nullptr);
    run("call playPauseCallback");
    run("call contentsCallback");
    frames(2);
    EXPECT_EQ(state()["layer"].asString(), "TestController");
    // The page is gone; nothing may point into it.
    EXPECT_EQ(app::currentSentenceButton, nullptr);
    EXPECT_EQ(app::subtitleLabel, nullptr);
    EXPECT_EQ(app::subtitleBackground, nullptr);
    EXPECT_TRUE(app::autoReading);
    EXPECT_FALSE(playing());  // the contents screen stops the audio
    EXPECT_TRUE(state()["subtitle"].isNull());
}

TEST_F(Navigation, AFingerStillDownWhenTheTurnEndsTurnsNothingOnTheNewPage) {
    openPage(20);
    driver->host().touchDown(320, 250);
    frames(1);
    driver->host().touchMove(260, 250);
    frames(40);
    ASSERT_EQ(app::currentPage, 21);
    ASSERT_EQ(state()["layer"].asString(), "TestLayer2");
    // The same finger goes on moving over the new page, as a slow swipe does.
    driver->host().touchMove(240, 250);
    frames(1);
    driver->host().touchMove(200, 250);
    frames(40);
    EXPECT_EQ(app::currentPage, 21);
    driver->host().touchUp(200, 250);
    frames(1);
}

TEST_F(Navigation, SlowDragsEitherWayTurnExactlyOnePageEvenWhenTheFingerGoesOnAfterTheTurn) {
    openPage(26);
    // A second and a half from right to left: the turn comes after 50 points, the finger goes on
    // moving over the new page for the rest of the way.
    const float y = 250;
    auto slowDrag = [&](float from, float to) {
        driver->host().touchDown(from, y);
        frames(1);
        for (int i = 1; i <= 90; ++i) {
            driver->host().touchMove(from + (to - from) * i / 90.0f, y);
            frames(1);
        }
        driver->host().touchUp(to, y);
        frames(40);
    };
    slowDrag(600, 40);
    EXPECT_EQ(app::currentPage, 27);
    EXPECT_EQ(state()["layer"].asString(), "TestLayer2");
    slowDrag(40, 600);
    EXPECT_EQ(app::currentPage, 26);
    EXPECT_EQ(state()["layer"].asString(), "TestLayer1");
}

TEST_F(Navigation, AFingerStillDownWhenTheSettingsFlipBackTurnsNothingOnThePage) {
    openPage(26);
    run("call settingsCallback");
    frames(40);
    ASSERT_EQ(state()["layer"].asString(), "SetLayer");
    // One finger rests on the settings screen's bottom margin while another presses OK.
    driver->host().touchDown(320, 30, 1);
    frames(1);
    app::SetLayer* settings = dynamic_cast<app::SetLayer*>(driver->systemLayer());
    ui::UIWidget* ok = settings->getUILayer()->getWidgetByName("bnok");
    ASSERT_NE(ok, nullptr);
    const CCPoint p = ok->getRenderer()->getParent()->convertToWorldSpace(ok->getRenderer()->getPosition());
    driver->host().touchDown(p.x, p.y, 0);
    frames(1);
    driver->host().touchUp(p.x, p.y, 0);
    frames(3);
    ASSERT_EQ(state()["layer"].asString(), "TestLayer1");
    for (float x = 320; x >= 20; x -= 20) {
        driver->host().touchMove(x, 30, 1);
        frames(1);
    }
    for (float x = 20; x <= 620; x += 20) {
        driver->host().touchMove(x, 30, 1);
        frames(1);
    }
    driver->host().touchUp(620, 30, 1);
    frames(40);
    EXPECT_EQ(app::currentPage, 26);
    EXPECT_EQ(state()["layer"].asString(), "TestLayer1");
}

TEST_F(Navigation, TheNextPagesPictureIsDecodedWhileThisPageShowsAndTheTurnUsesIt) {
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    cache->removeAllTextures();  // nothing decoded ahead for earlier pages of this process
    openPage(30);
    cache->finishDecodingAhead();
    EXPECT_EQ(cache->imagesDecodedAhead(), 1u);
    EXPECT_EQ(cache->textureForKey("tomeset/images/page_31.png"), nullptr);
    run("call nextPageCallback");
    frames(31);
    EXPECT_EQ(app::currentPage, 31);
    EXPECT_NE(cache->textureForKey("tomeset/images/page_31.png"), nullptr);
    cache->finishDecodingAhead();
    EXPECT_EQ(cache->imagesDecodedAhead(), 1u);  // page 32's
}
