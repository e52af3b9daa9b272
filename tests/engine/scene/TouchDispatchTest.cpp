// Touch dispatch: targeted before standard, priorities, swallowing, claims, and list changes
// made by handlers during an event.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"

using namespace engine;

namespace {

std::vector<std::string> g_touchLog;

struct Targeted : CCObject, CCTouchDelegate {
    Targeted(std::string n, bool claim) : name(std::move(n)), claim(claim) {}
    bool ccTouchBegan(CCTouch*, CCEvent*) override {
        g_touchLog.push_back(name + ".began");
        if (onBegan) onBegan();
        return claim;
    }
    void ccTouchMoved(CCTouch*, CCEvent*) override { g_touchLog.push_back(name + ".moved"); }
    void ccTouchEnded(CCTouch*, CCEvent*) override { g_touchLog.push_back(name + ".ended"); }
    void ccTouchCancelled(CCTouch*, CCEvent*) override { g_touchLog.push_back(name + ".cancelled"); }
    std::string name;
    bool claim;
    std::function<void()> onBegan;
};

struct Standard : CCObject, CCTouchDelegate {
    explicit Standard(std::string n) : name(std::move(n)) {}
    void ccTouchesBegan(CCSet* t, CCEvent*) override { g_touchLog.push_back(name + ".began" + std::to_string(t->count())); }
    void ccTouchesMoved(CCSet* t, CCEvent*) override { g_touchLog.push_back(name + ".moved" + std::to_string(t->count())); }
    void ccTouchesEnded(CCSet* t, CCEvent*) override { g_touchLog.push_back(name + ".ended" + std::to_string(t->count())); }
    std::string name;
};

struct Fixture : ::testing::Test {
    void SetUp() override { g_touchLog.clear(); }
    void phase(CCTouchPhase p, std::initializer_list<CCTouch*> list) {
        CCSet* set = new CCSet();
        for (CCTouch* t : list) set->addObject(t);
        switch (p) {
            case CCTOUCHBEGAN: dispatcher.touchesBegan(set, nullptr); break;
            case CCTOUCHMOVED: dispatcher.touchesMoved(set, nullptr); break;
            case CCTOUCHENDED: dispatcher.touchesEnded(set, nullptr); break;
            case CCTOUCHCANCELLED: dispatcher.touchesCancelled(set, nullptr); break;
        }
        set->release();
    }
    CCTouchDispatcher dispatcher;
};

using TouchDispatch = Fixture;

}  // namespace

TEST_F(TouchDispatch, SwallowingTargetedHandlerKeepsTheTouchFromStandardOnes) {
    Targeted t("menu", true);
    Standard s("layer");
    dispatcher.addStandardDelegate(&s, 0);
    dispatcher.addTargetedDelegate(&t, -128, true);
    CCTouch touch;
    touch.setTouchInfo(0, 10, 10);
    phase(CCTOUCHBEGAN, {&touch});
    touch.setTouchInfo(0, 12, 10);
    phase(CCTOUCHMOVED, {&touch});
    phase(CCTOUCHENDED, {&touch});
    EXPECT_EQ(g_touchLog, (std::vector<std::string>{"menu.began", "menu.moved", "menu.ended"}));
    dispatcher.removeAllDelegates();
}

TEST_F(TouchDispatch, UnclaimedOrNonSwallowedTouchReachesStandardHandlers) {
    Targeted refuses("refuses", false);
    Targeted shares("shares", true);
    Standard s("layer");
    dispatcher.addTargetedDelegate(&refuses, 0, true);
    dispatcher.addTargetedDelegate(&shares, 1, false);
    dispatcher.addStandardDelegate(&s, 0);
    CCTouch touch;
    touch.setTouchInfo(0, 1, 1);
    phase(CCTOUCHBEGAN, {&touch});
    phase(CCTOUCHENDED, {&touch});
    EXPECT_EQ(g_touchLog, (std::vector<std::string>{"refuses.began", "shares.began", "layer.began1", "shares.ended",
                                               "layer.ended1"}));
    dispatcher.removeAllDelegates();
}

TEST_F(TouchDispatch, LowerPriorityFirstAndNewcomerBeforeEqualPriority) {
    Targeted a("a", false), b("b", false), c("c", false);
    dispatcher.addTargetedDelegate(&a, 0, true);
    dispatcher.addTargetedDelegate(&b, -1, true);
    dispatcher.addTargetedDelegate(&c, 0, true);
    CCTouch touch;
    touch.setTouchInfo(0, 1, 1);
    phase(CCTOUCHBEGAN, {&touch});
    EXPECT_EQ(g_touchLog, (std::vector<std::string>{"b.began", "c.began", "a.began"}));
    dispatcher.removeAllDelegates();
}

TEST_F(TouchDispatch, OnlyTheClaimingHandlerGetsLaterPhases) {
    Targeted first("first", true), second("second", true);
    dispatcher.addTargetedDelegate(&first, 0, true);
    dispatcher.addTargetedDelegate(&second, 1, true);
    CCTouch t0, t1;
    t0.setTouchInfo(0, 1, 1);
    t1.setTouchInfo(1, 2, 2);
    first.claim = false;
    phase(CCTOUCHBEGAN, {&t0});  // second claims t0
    first.claim = true;
    phase(CCTOUCHBEGAN, {&t1});  // first claims t1
    g_touchLog.clear();
    phase(CCTOUCHMOVED, {&t0, &t1});
    EXPECT_EQ(g_touchLog, (std::vector<std::string>{"second.moved", "first.moved"}));
    g_touchLog.clear();
    phase(CCTOUCHENDED, {&t0, &t1});
    phase(CCTOUCHMOVED, {&t0, &t1});  // nobody claims them any more
    EXPECT_EQ(g_touchLog, (std::vector<std::string>{"second.ended", "first.ended"}));
    dispatcher.removeAllDelegates();
}

TEST_F(TouchDispatch, HandlersAddedOrRemovedDuringAnEventAreSafe) {
    Targeted remover("remover", false);
    Targeted victim("victim", true);
    Targeted* late = new Targeted("late", true);
    remover.onBegan = [&] {
        dispatcher.removeDelegate(&victim);
        dispatcher.addTargetedDelegate(late, -10, true);
    };
    dispatcher.addTargetedDelegate(&remover, 0, true);
    dispatcher.addTargetedDelegate(&victim, 1, true);
    CCTouch touch;
    touch.setTouchInfo(0, 1, 1);
    phase(CCTOUCHBEGAN, {&touch});
    EXPECT_TRUE(dispatcher.hasDelegate(late));
    late->release();  // the dispatcher holds it now
    EXPECT_EQ(g_touchLog, (std::vector<std::string>{"remover.began"}));
    EXPECT_FALSE(dispatcher.hasDelegate(&victim));
    remover.onBegan = nullptr;
    g_touchLog.clear();
    CCTouch touch2;
    touch2.setTouchInfo(1, 1, 1);
    phase(CCTOUCHBEGAN, {&touch2});
    EXPECT_EQ(g_touchLog, (std::vector<std::string>{"late.began"}));
    dispatcher.removeAllDelegates();
}

TEST_F(TouchDispatch, DisabledDispatchDropsEverything) {
    Targeted t("t", true);
    dispatcher.addTargetedDelegate(&t, 0, true);
    dispatcher.setDispatchEvents(false);
    CCTouch touch;
    touch.setTouchInfo(0, 1, 1);
    phase(CCTOUCHBEGAN, {&touch});
    EXPECT_TRUE(g_touchLog.empty());
    dispatcher.setDispatchEvents(true);
    phase(CCTOUCHBEGAN, {&touch});
    EXPECT_EQ(g_touchLog.size(), 1u);
    dispatcher.removeAllDelegates();
}

TEST(Touch, LocationsPreviousAndStart) {
    CCTouch t;
    t.setTouchInfo(3, 10, 20);
    t.setTouchInfo(3, 15, 22);
    t.setTouchInfo(3, 30, 40);
    EXPECT_EQ(t.getID(), 3);
    EXPECT_EQ(t.getLocation(), ccp(30, 40));
    EXPECT_EQ(t.getPreviousLocation(), ccp(15, 22));
    EXPECT_EQ(t.getStartLocation(), ccp(10, 20));
    EXPECT_EQ(t.getDelta(), ccp(15, 18));
}
