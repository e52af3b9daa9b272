// The navigation room: what is installed receives every navigation; with nothing installed a
// navigation is logged and does nothing.
#include "app/navigation/Screens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/base/CCLog.h"

namespace {

// Writes down each request, one word a request.
class RecordingScreens : public app::Screens {
public:
    void showContents() override { calls.push_back("contents"); }
    void showUnitMenu() override { calls.push_back("unit menu"); }
    void showPage(app::PageTwin twin, app::PageEntry entry, int direction) override {
        calls.push_back(std::string("page ") + (twin == app::PageTwin::First ? "first" : "second") + " " +
                        (entry == app::PageEntry::Cut ? "cut" : entry == app::PageEntry::Turn ? "turn" : "flip back") +
                        " " + std::to_string(direction));
    }
    void showSettings() override { calls.push_back("settings"); }

    std::vector<std::string> calls;
};

class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = app::Screens::installed();
        app::Screens::install(nullptr);
        engine::setLogObserver([this](const std::string& line) { log.push_back(line); });
        engine::setLogQuiet(true);
    }
    void TearDown() override {
        engine::setLogQuiet(false);
        engine::setLogObserver(nullptr);
        app::Screens::install(previous);
    }
    app::Screens* previous = nullptr;
    std::vector<std::string> log;
};

}  // namespace

TEST_F(ScreensTest, TheInstalledScreensReceiveEveryNavigation) {
    RecordingScreens screens;
    app::Screens::install(&screens);
    EXPECT_EQ(app::Screens::installed(), &screens);
    EXPECT_EQ(&app::Screens::get(), &screens);

    app::Screens::get().showUnitMenu();
    app::Screens::get().showPage(app::PageTwin::Second, app::PageEntry::Turn, -1);
    app::Screens::get().showSettings();
    app::Screens::get().showPage(app::PageTwin::First, app::PageEntry::FlipBack, 0);
    app::Screens::get().showContents();
    app::Screens::get().showPage(app::PageTwin::First, app::PageEntry::Cut, 0);

    const std::vector<std::string> expected = {"unit menu",           "page second turn -1", "settings",
                                               "page first flip back 0", "contents",        "page first cut 0"};
    EXPECT_EQ(screens.calls, expected);
    EXPECT_TRUE(log.empty());
}

TEST_F(ScreensTest, WithNothingInstalledANavigationIsLoggedAndDoesNothing) {
    RecordingScreens screens;
    app::Screens::install(&screens);
    app::Screens::install(nullptr);
    EXPECT_EQ(app::Screens::installed(), nullptr);

    app::Screens::get().showSettings();
    app::Screens::get().showPage(app::PageTwin::First, app::PageEntry::Cut, 0);
    EXPECT_TRUE(screens.calls.empty());
    const std::vector<std::string> expected = {"Screens: none installed; the settings screen is not shown",
                                               "Screens: none installed; a page is not shown"};
    EXPECT_EQ(log, expected);
}
