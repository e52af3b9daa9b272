// The unit menu's page lists and the settings screen's flows, through the reader.
#include "ReaderTestKit.h"
#include "app/book/StringTables.h"

using namespace engine;
using readertest::ReaderTest;

namespace {

class UnitMenus : public ReaderTest {
protected:
    // Chooses contents entry i, then the unit menu's entry k; returns the page opened.
    int open(int entry, int k) {
        app::TestController* contents = dynamic_cast<app::TestController*>(driver->systemLayer());
        if (!contents) {
            goToContents();
            contents = dynamic_cast<app::TestController*>(driver->systemLayer());
        }
        EXPECT_NE(contents, nullptr);
        if (!contents) return -1;
        CCNode* item = nullptr;
        for (CCObject* o : *contents->getUnitMenu()->getChildren())
            if (static_cast<CCNode*>(o)->getZOrder() == 10000 + entry) item = static_cast<CCNode*>(o);
        EXPECT_NE(item, nullptr);
        contents->menuCallback(item);
        frames(2);
        app::MenuLayerMainMenu* menu = dynamic_cast<app::MenuLayerMainMenu*>(driver->systemLayer());
        EXPECT_NE(menu, nullptr);
        if (!menu) return -1;
        entries.clear();
        for (CCObject* o : *menu->getPageMenu()->getChildren()) entries.push_back(static_cast<CCNode*>(o));
        std::sort(entries.begin(), entries.end(),
                  [](CCNode* a, CCNode* b) { return a->getOrderOfArrival() < b->getOrderOfArrival(); });
        if (k < 0) return 0;
        menu->pageItemCallback(entries.at(static_cast<size_t>(k)));
        frames(2);
        return app::currentPage;
    }
    // The unit menu's back item, or a page's contents item.
    void goToContents() {
        if (app::MenuTestScene* scene = dynamic_cast<app::MenuTestScene*>(CCDirector::sharedDirector()->getRunningScene()))
            scene->backToContents(nullptr);
        else
            run("call contentsCallback");
        frames(2);
    }
    std::string entryText(size_t k) {
        for (CCObject* o : *entries.at(k)->getChildren())
            if (CCLabelProtocol* l = dynamic_cast<CCLabelProtocol*>(o)) return l->getString();
        return std::string();
    }
    std::vector<CCNode*> entries;
};

class Settings : public ReaderTest {
protected:
    void openSettings(int page) {
        openPage(page);
        run("call settingsCallback");
        frames(40);
        ASSERT_EQ(state()["layer"].asString(), "SetLayer");
    }
    ui::UIButton* button(const char* name) {
        app::SetLayer* layer = dynamic_cast<app::SetLayer*>(driver->systemLayer());
        return layer ? dynamic_cast<ui::UIButton*>(layer->getUILayer()->getWidgetByName(name)) : nullptr;
    }
    // A press and release on the named button, then the frames a flip back needs.
    void press(const char* name) {
        ui::UIButton* b = button(name);
        ASSERT_NE(b, nullptr) << name;
        CCPoint p = b->getRenderer()->getParent()->convertToWorldSpace(b->getRenderer()->getPosition());
        driver->host().touchDown(p.x, p.y);
        frames(1);
        driver->host().touchUp(p.x, p.y);
        frames(3);
    }
};

}  // namespace

TEST_F(UnitMenus, EveryContentsEntryListsItsPagesAndOpensThem) {
    const int first[7] = {2, 14, 26, 38, 50, 62, 82};
    const int count[7] = {12, 12, 12, 12, 12, 20, 8};
    for (int entry = 0; entry < 7; ++entry) {
        open(entry, -1);
        ASSERT_EQ(entries.size(), static_cast<size_t>(count[entry])) << "entry " << entry;
        const std::string front = app::lookupString("String.xml", "page_front");
        const std::string after = app::lookupString("String.xml", "page_after");
        EXPECT_EQ(entryText(0), front + " " + std::to_string(first[entry]) + " " + after);
        const size_t last = entries.size() - 1;
        EXPECT_EQ(open(entry, static_cast<int>(last)), first[entry] + count[entry] - 1) << "entry " << entry;
        EXPECT_EQ(state()["layer"].asString(), "TestLayer1");
        EXPECT_EQ(open(entry, 0), first[entry]);
    }
}

TEST_F(UnitMenus, TheWordListHasFourSectionsOpeningEveryOtherPage) {
    open(7, -1);
    ASSERT_EQ(entries.size(), 4u);
    const std::string word = app::lookupString("String.xml", "wordname");
    const int pages[4] = {74, 76, 78, 80};
    for (int k = 0; k < 4; ++k) {
        open(7, -1);
        EXPECT_EQ(entryText(static_cast<size_t>(k)), word + " " + std::to_string(k + 1));
        EXPECT_EQ(open(7, k), pages[k]);
    }
    Json::Value s = state();
    EXPECT_EQ(s["unitFirstPage"].asInt(), 74);
    EXPECT_EQ(s["unitLastPage"].asInt(), 81);
    EXPECT_EQ(s["unitPageCount"].asInt(), 8);
}

TEST_F(UnitMenus, EntriesFlyInFromAlternatingSidesAndTheListOffsetIsShared) {
    open(0, -1);
    EXPECT_LT(entries[0]->getPosition().x, 320 - 300);
    EXPECT_GT(entries[1]->getPosition().x, 320 + 300);
    seconds(2.2);
    for (CCNode* e : entries) EXPECT_NEAR(e->getPosition().x, 320, 0.5);
    // Recycle 2's list is 2100 high: a drag moves it freely and the offset carries over.
    goToContents();
    open(5, -1);
    run("drag 100 300 100 500 5");
    Json::Value s = state();
    EXPECT_GT(s["unitListPosition"][1].asFloat(), 100);
    const float kept = s["unitListPosition"][1].asFloat();
    goToContents();
    open(2, -1);
    app::MenuLayerMainMenu* menu = dynamic_cast<app::MenuLayerMainMenu*>(driver->systemLayer());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getPageMenu()->getPosition().y, kept);
}

TEST_F(UnitMenus, AShortListOpensOnScreenAfterALongOneWasScrolledFarDown) {
    // Recycle 2 (2100 high) dragged down to 1100 in two free moves.
    open(5, -1);
    run("drag 100 100 100 900 5");
    run("drag 100 100 100 400 5");
    const float far = state()["unitListPosition"][1].asFloat();
    ASSERT_EQ(far, 1100);
    // Unit 1's twelve rows (1300 high) reach down only 1300 - 960 = 340: it opens there, its
    // last entry on screen, and the remembered offset stays for the long list.
    goToContents();
    open(0, -1);
    app::MenuLayerMainMenu* menu = dynamic_cast<app::MenuLayerMainMenu*>(driver->systemLayer());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getPageMenu()->getPosition().y, 340);
    const float lastY = entries.back()->getPosition().y + menu->getPageMenu()->getPosition().y;
    EXPECT_GT(lastY, 0);
    EXPECT_LT(lastY, 960);
    EXPECT_EQ(state()["unitListPosition"][1].asFloat(), far);
    goToContents();
    open(5, -1);
    menu = dynamic_cast<app::MenuLayerMainMenu*>(driver->systemLayer());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getPageMenu()->getPosition().y, far);
}

TEST_F(Settings, ConfirmingStoresThePendingModeAndReopensThePage) {
    openSettings(33);
    press("bnaotopage");
    EXPECT_EQ(state()["pendingReadingMode"].asInt(), 2);
    EXPECT_EQ(app::readingMode, 3);
    press("bnok");
    frames(3);
    Json::Value s = state();
    EXPECT_EQ(s["readingMode"].asInt(), 2);
    EXPECT_EQ(s["layer"].asString(), "TestLayer1");
    EXPECT_EQ(s["currentPage"].asInt(), 33);
}

TEST_F(Settings, CancelKeepsTheModeAndOkAtOnceStoresItUnchanged) {
    openSettings(33);
    press("bnpres");
    press("bncancel");
    frames(3);
    EXPECT_EQ(app::readingMode, 3);
    EXPECT_EQ(state()["layer"].asString(), "TestLayer1");
    run("call settingsCallback");
    frames(40);
    press("bnok");
    frames(3);
    EXPECT_EQ(app::readingMode, 3);
    EXPECT_EQ(app::currentPage, 33);
}

TEST_F(Settings, SelectionLookMovesToTheLastButtonPressed) {
    openSettings(40);
    press("bnpres");
    ui::UIButton* pres = button("bnpres");
    EXPECT_FALSE(pres->isBright());
    EXPECT_EQ(pres->getTitleColor(), ccc3(44, 5, 247));
    press("bnaoto");
    EXPECT_TRUE(pres->isBright());
    EXPECT_EQ(pres->getTitleColor(), ccc3(25, 24, 25));
    EXPECT_FALSE(button("bnaoto")->isBright());
    EXPECT_EQ(state()["selectedSettingButton"].asString(), "bnaoto");
    press("bnaoto");  // pressing it again keeps it selected
    EXPECT_FALSE(button("bnaoto")->isBright());
}

TEST_F(Settings, ReadOnTouchHidesPlayPauseOnTheNextPage) {
    openSettings(40);
    press("bnpres");
    press("bnok");
    frames(3);
    EXPECT_FALSE(state()["playPause"]["visible"].asBool());
    run("call settingsCallback");
    frames(40);
    press("bnaoto");
    press("bnok");
    frames(3);
    EXPECT_TRUE(state()["playPause"]["visible"].asBool());
}

TEST_F(Settings, MainGoesToTheContentsWithoutStoringTheMode) {
    openSettings(40);
    press("bnaotopage");
    press("bnmain");
    frames(2);
    EXPECT_EQ(state()["layer"].asString(), "TestController");
    EXPECT_EQ(app::readingMode, 3);
    EXPECT_EQ(app::selectedSettingButton, nullptr);  // its screen is gone
}
