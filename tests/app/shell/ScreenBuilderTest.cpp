// The screens the shell installs: each navigation builds its screen in its scene and enters it
// through its own transition.
#include "app/shell/ScreenBuilder.h"

#include "app/reader/ReaderTestKit.h"

namespace {

// The reader running headless on a private copy of the sample book.
class ScreenBuilderTest : public readertest::ReaderTest {};

}  // namespace

TEST_F(ScreenBuilderTest, TheApplicationInstallsItsScreensWhileItRuns) {
    EXPECT_NE(dynamic_cast<app::ScreenBuilder*>(app::Screens::installed()), nullptr);
    driver.reset();
    EXPECT_EQ(app::Screens::installed(), nullptr);
}

TEST_F(ScreenBuilderTest, EachScreenEntersThroughItsOwnTransition) {
    app::currentPage = 20;
    app::Screens::get().showPage(app::PageTwin::First, app::PageEntry::Cut, 0);
    frames(2);
    Json::Value s = state();
    EXPECT_EQ(s["scene"].asString(), "BookPageScene");
    EXPECT_EQ(s["layer"].asString(), "TestLayer1");
    EXPECT_TRUE(s["transition"].isNull());

    app::currentPage = 19;
    app::Screens::get().showPage(app::PageTwin::Second, app::PageEntry::Turn, -1);
    driver->host().step(1);
    s = state();
    EXPECT_EQ(s["layer"].asString(), "TestLayer2");
    EXPECT_EQ(s["transition"]["type"].asString(), "CCTransitionPageTurn");
    EXPECT_TRUE(s["transition"]["backwards"].asBool());
    driver->host().advance(1.0);
    EXPECT_EQ(state()["scene"].asString(), "BookPageScene");

    app::Screens::get().showSettings();
    driver->host().step(1);
    s = state();
    EXPECT_EQ(s["layer"].asString(), "SetLayer");
    EXPECT_EQ(s["transition"]["type"].asString(), "CCTransitionZoomFlipY");
    driver->host().advance(1.0);

    app::Screens::get().showPage(app::PageTwin::First, app::PageEntry::FlipBack, 0);
    driver->host().step(1);
    EXPECT_EQ(state()["layer"].asString(), "TestLayer1");
    driver->host().advance(0.5);

    app::Screens::get().showContents();
    driver->host().step(1);
    s = state();
    EXPECT_EQ(s["scene"].asString(), "CCScene");
    EXPECT_EQ(s["layer"].asString(), "TestController");
    EXPECT_TRUE(s["transition"].isNull());

    app::Screens::get().showUnitMenu();
    driver->host().step(1);
    s = state();
    EXPECT_EQ(s["scene"].asString(), "MenuTestScene");
    EXPECT_EQ(s["layer"].asString(), "MenuLayerMainMenu");
}
