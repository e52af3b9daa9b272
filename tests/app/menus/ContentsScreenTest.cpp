// The contents screen, driven like a person would: its entries, the list drag, the first-run marker.
#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/book/BookContents.h"
#include "app/book/VisibleArea.h"
#include "app/menus/TestController.h"
#include "app/menus/UnitMenu.h"
#include "app/shell/ScriptDriver.h"
#include "engine/engine.h"
#include "support/BookFixture.h"

using namespace engine;

namespace {

Json::Value parse(const std::string& text) {
    Json::Value v;
    Json::CharReaderBuilder b;
    std::string errors;
    std::istringstream in(text);
    EXPECT_TRUE(Json::parseFromStream(b, in, &v, &errors)) << errors << " in " << text;
    return v;
}

class ContentsScreen : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(testsupport::sampleBookDir() + "/String.xml"))
            GTEST_SKIP() << "the sample book has not been generated (build the sample_book target)";
        app::contentsListPosition = CCPoint(0, 0);
        app::selectedUnit = 0;
        book = testsupport::copyOfSampleBook();
        driver = std::make_unique<app::ScriptDriver>(book);
    }
    void TearDown() override { driver.reset(); }

    Json::Value run(const std::string& line) {
        std::ostringstream out;
        EXPECT_TRUE(driver->runLine(line, 1, out)) << out.str();
        return out.str().empty() ? Json::Value() : parse(out.str());
    }
    app::TestController* contents() { return dynamic_cast<app::TestController*>(driver->systemLayer()); }

    std::string book;
    std::unique_ptr<app::ScriptDriver> driver;
};

// The menu items of the contents list, by z-order.
std::map<int, CCNode*> entries(app::TestController* c) {
    std::map<int, CCNode*> out;
    for (CCObject* o : *c->getUnitMenu()->getChildren()) out[static_cast<CCNode*>(o)->getZOrder()] = static_cast<CCNode*>(o);
    return out;
}

}  // namespace

TEST_F(ContentsScreen, ShowsEightEntriesInOrderWithTheWordListLast) {
    Json::Value state = run("state");
    EXPECT_EQ(state["layer"].asString(), "TestController");
    EXPECT_EQ(state["scene"].asString(), "CCScene");
    ASSERT_NE(contents(), nullptr);
    auto items = entries(contents());
    ASSERT_EQ(items.size(), 9u);  // eight entries and the drag hint
    const char* names[7] = {"Unit 1", "Unit 2", "Unit 3", "Unit 4", "Recycle 1", "Recycle 2", "Appendix"};
    for (int i = 0; i < 8; ++i) {
        CCNode* item = items.at(10000 + i);
        EXPECT_EQ(item->getPosition(), ccp(320, 860 - 100 * i)) << "entry " << i;
        CCLabelProtocol* label = nullptr;
        for (CCObject* o : *item->getChildren()) {
            if ((label = dynamic_cast<CCLabelProtocol*>(o))) break;
        }
        ASSERT_NE(label, nullptr);
        std::string expected = i < 7 ? names[i] : "";
        if (i < 7) {
            EXPECT_EQ(label->getString(), expected);
        }
    }
    EXPECT_FALSE(items.at(300000)->isVisible());
    EXPECT_FALSE(state["dragHintVisible"].asBool());
}

TEST_F(ContentsScreen, ChoosingUnit3RecordsSelectedUnit2) {
    run("tap 320 660");
    Json::Value state = run("state");
    EXPECT_EQ(state["selectedUnit"].asInt(), 2);
}

TEST_F(ContentsScreen, DragClampsAtTheBoundsAndKeepsTheOldPosition) {
    // With a visible height of 960 the top bound is 900 - 960 = -60.
    run("drag 100 500 100 530 5");  // next.y = 30 > -60: clamped to -60
    EXPECT_EQ(contents()->getUnitMenu()->getPosition(), ccp(0, -60));
    Json::Value state = run("state");
    EXPECT_EQ(state["contentsListPosition"][1].asFloat(), 0.f);
    run("drag 100 500 100 400 5");  // from -60 down: below 0 is clamped to 0
    EXPECT_EQ(contents()->getUnitMenu()->getPosition(), ccp(0, 0));
}

TEST_F(ContentsScreen, FirstRunMarkerIsCreatedOnceWithItsExactText) {
    std::string marker = book + "/ft.xml";
    std::ifstream in(marker);
    ASSERT_TRUE(in.good());
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "qwpmrtkzvbnhyxe7310298\n");
    // A later start leaves the marker as it is.
    { std::ofstream(marker) << "kept"; }
    driver.reset();
    driver = std::make_unique<app::ScriptDriver>(book);
    std::ifstream again(marker);
    std::string second((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
    EXPECT_EQ(second, "kept");
}

// With a visible height below the list's 900 points the list moves freely and is remembered.
TEST(ContentsScreenShortWindow, ADragMovesTheListAndItReappearsThereWhenBuiltAgain) {
    if (!std::filesystem::exists(testsupport::sampleBookDir() + "/String.xml"))
        GTEST_SKIP() << "the sample book has not been generated (build the sample_book target)";
    const std::string book = testsupport::copyOfSampleBook();
    engine::CCFileUtils::sharedFileUtils()->setResourceRoot(book);
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setDesignResolutionSize(640, 800, kResolutionExactFit);
    app::VisibleArea::reset();
    app::contentsListPosition = CCPoint(0, 0);
    {
        engine::CCHeadlessHost host(640, 800, true);
        CCScene* scene = CCScene::create();
        app::TestController* first = new app::TestController();
        scene->addChild(first);
        first->release();
        CCDirector::sharedDirector()->runWithScene(scene);
        host.step(1);
        // Up by 30 then 20 more: each free move follows the finger (upper bound 900 - 800 = 100).
        host.touchDown(100, 300);
        host.touchMove(100, 330);
        host.touchMove(100, 350);
        EXPECT_EQ(first->getUnitMenu()->getPosition(), ccp(0, 50));
        EXPECT_EQ(app::contentsListPosition, ccp(0, 50));
        host.touchMove(100, 450);  // 150: past the bound, clamped, the start point stays
        EXPECT_EQ(first->getUnitMenu()->getPosition(), ccp(0, 100));
        EXPECT_EQ(app::contentsListPosition, ccp(0, 50));
        host.touchUp(100, 450);
        host.step(1);

        CCScene* again = CCScene::create();
        app::TestController* second = new app::TestController();
        again->addChild(second);
        second->release();
        EXPECT_EQ(second->getUnitMenu()->getPosition(), ccp(0, 50));
        CCDirector::sharedDirector()->replaceScene(again);
        host.step(1);
    }
    view->setDesignResolutionSize(640, 960, kResolutionExactFit);
    app::VisibleArea::reset();
    app::contentsListPosition = CCPoint(0, 0);
}
