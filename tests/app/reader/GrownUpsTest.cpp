// The grown-ups' way in and their options: F2 and the three-second hold on the page's top-left
// corner open the settings (and nothing shorter or elsewhere does), the scanning row added to
// the settings covers none of its buttons, and one-switch scanning walks and chooses.
#include "ReaderTestKit.h"
#include "app/access/FocusRing.h"
#include "app/settings/SettingsRows.h"

using namespace engine;
using readertest::ReaderTest;

namespace {

class Gate : public ReaderTest {
protected:
    std::string layer() { return state()["layer"].asString(); }
    // A finger held at (x, y) for the given seconds, then lifted; the flip in runs after.
    void hold(float x, float y, double s) {
        driver->host().touchDown(x, y);
        frames(1);
        seconds(s);
        driver->host().touchUp(x, y);
        frames(40);
    }
};

class Scanning : public ReaderTest {
protected:
    app::DriveOptions options() override {
        app::DriveOptions o;
        o.scanSeconds = 2;
        return o;
    }
    std::string focusName() {
        const Json::Value f = state()["focus"];
        return f.isNull() ? std::string("(none)") : f["name"].asString();
    }
};

}  // namespace

TEST_F(Gate, F2OrAThreeSecondHoldOnTheTopLeftCornerOpensTheSettingsAndNothingLessDoes) {
    openPage(15);
    run("key F2");
    frames(40);
    EXPECT_EQ(layer(), "SetLayer");
    EXPECT_EQ(state()["readingMode"].asInt(), app::readingMode);

    openPage(15);
    hold(20, 945, 2.9);
    EXPECT_EQ(layer(), "TestLayer1") << "let go too soon";
    hold(70, 945, 3.5);
    EXPECT_EQ(layer(), "TestLayer1") << "beyond 60 points from the left";
    hold(20, 890, 3.5);
    EXPECT_EQ(layer(), "TestLayer1") << "beyond 60 points from the top";
    // A hold that slides out of the corner is no hold.
    driver->host().touchDown(20, 945);
    frames(1);
    driver->host().touchMove(20, 870);
    frames(1);
    seconds(3.5);
    driver->host().touchUp(20, 870);
    frames(40);
    EXPECT_EQ(layer(), "TestLayer1");
    EXPECT_EQ(app::currentPage, 15);

    driver->host().touchDown(55, 905);
    frames(1);
    seconds(3.1);
    frames(40);
    EXPECT_EQ(layer(), "SetLayer") << "opens while the finger is still down";
    driver->host().touchUp(55, 905);
    frames(2);
    EXPECT_EQ(layer(), "SetLayer");
}

TEST_F(Gate, TheScanningRowCoversNoButtonAndItsStepsAreTheNextScreensPace) {
    openPage(15);
    run("key F2");
    frames(40);
    app::SetLayer* settings = dynamic_cast<app::SetLayer*>(driver->systemLayer());
    ASSERT_NE(settings, nullptr);
    app::SettingsRows* rows = settings->getRows();
    ASSERT_NE(rows, nullptr);
    std::vector<CCRect> buttons;
    for (const char* name : {"bnmain", "bnpres", "bnaotopage", "bnaoto", "bnok", "bncancel"}) {
        ui::UIWidget* w = settings->getUILayer()->getWidgetByName(name);
        ASSERT_NE(w, nullptr) << name;
        buttons.push_back(app::widgetRect(w));
    }
    // Every label and item of the rows, wherever it sits in the rows' tree.
    std::vector<CCNode*> parts;
    std::function<void(CCNode*)> collect = [&](CCNode* n) {
        if (n->getChildren())
            for (CCObject* o : *n->getChildren()) {
                CCNode* c = static_cast<CCNode*>(o);
                if (dynamic_cast<CCLabelProtocol*>(c) || dynamic_cast<CCMenuItem*>(c)) parts.push_back(c);
                else collect(c);
            }
    };
    collect(rows);
    ASSERT_GE(parts.size(), 4u);
    for (CCNode* part : parts) {
        const CCRect r = app::worldRect(part->getParent(), part->boundingBox());
        EXPECT_GT(r.size.width, 0);
        EXPECT_TRUE(CCRect(0, 0, 640, 960).containsPoint(CCPoint(r.getMidX(), r.getMidY())));
        for (const CCRect& b : buttons) EXPECT_FALSE(r.intersectsRect(b)) << "a row covers a button";
    }

    ASSERT_EQ(rows->shown().size(), 1u);
    EXPECT_EQ(rows->shown()[0].second, "off");
    const std::string row = rows->shown()[0].first;
    EXPECT_TRUE(rows->press(row, -1));
    EXPECT_EQ(rows->shown()[0].second, "off") << "no lower than off";
    for (int i = 0; i < 3; ++i) rows->press(row, +1);
    EXPECT_EQ(rows->shown()[0].second, "3 s");
    EXPECT_EQ(app::FocusRing::scanSeconds(), 3);

    // Back on the page (as today: Cancel), the focus moves on by itself every 3 seconds.
    ui::UIWidget* cancel = settings->getUILayer()->getWidgetByName("bncancel");
    const CCPoint p = cancel->getRenderer()->getParent()->convertToWorldSpace(cancel->getRenderer()->getPosition());
    driver->host().touchDown(p.x, p.y);
    frames(1);
    driver->host().touchUp(p.x, p.y);
    frames(3);
    ASSERT_EQ(state()["layer"].asString(), "TestLayer1");
    EXPECT_EQ(state()["scan"].asFloat(), 3);
    EXPECT_EQ(state()["focus"]["name"].asString(), app::sentenceButtonName(15, 1));
    seconds(3.1);
    EXPECT_EQ(state()["focus"]["name"].asString(), app::sentenceButtonName(15, 2));
}

TEST_F(Scanning, TheFocusShowsAtOnceMovesOnByItselfAndSpaceChooses) {
    EXPECT_EQ(state()["scan"].asFloat(), 2);
    const std::string first = focusName();
    EXPECT_NE(first, "(none)") << "scanning shows the ring without a key";
    seconds(2.05);
    const std::string second = focusName();
    EXPECT_NE(second, first);
    seconds(2.05);
    EXPECT_NE(focusName(), second);
    // Two steps on: the third entry; Space opens it.
    run("key Space");
    frames(2);
    EXPECT_EQ(state()["layer"].asString(), "MenuLayerMainMenu");
    EXPECT_EQ(app::selectedUnit, 2);
    // The unit menu scans too: a touch hides the ring, the next step brings it back.
    seconds(0.5);
    driver->host().touchDown(20, 20);
    frames(1);
    driver->host().touchUp(20, 20);
    frames(1);
    EXPECT_EQ(focusName(), "(none)");
    seconds(2.05);
    EXPECT_NE(focusName(), "(none)");
}
