// Transitions and the director: the order of both scenes' lifecycle calls, when the hand-over
// happens, touches while a transition runs, and input the transitions refuse.
#include <cmath>
#include <limits>
#include <typeinfo>

#include "TransitionTestKit.h"

using namespace engine;
using namespace transitiontest;

namespace {

enum class Kind { Plain, PageForward, PageBackward, FlipUpOver, FlipDownOver };

const char* kindName(Kind k) {
    switch (k) {
        case Kind::Plain: return "Plain";
        case Kind::PageForward: return "PageForward";
        case Kind::PageBackward: return "PageBackward";
        case Kind::FlipUpOver: return "FlipUpOver";
        case Kind::FlipDownOver: return "FlipDownOver";
    }
    return "?";
}

void PrintTo(Kind k, std::ostream* os) { *os << kindName(k); }

CCTransitionScene* makeTransition(Kind kind, float duration, CCScene* scene) {
    switch (kind) {
        case Kind::Plain: return CCTransitionScene::create(duration, scene);
        case Kind::PageForward: return CCTransitionPageTurn::create(duration, scene, false);
        case Kind::PageBackward: return CCTransitionPageTurn::create(duration, scene, true);
        case Kind::FlipUpOver: return CCTransitionZoomFlipY::create(duration, scene, kCCTransitionOrientationUpOver);
        case Kind::FlipDownOver:
            return CCTransitionZoomFlipY::create(duration, scene, kCCTransitionOrientationDownOver);
    }
    return nullptr;
}

// The running scene is exactly the transition class asked for.
bool isKind(Kind kind, CCScene* s) {
    if (!s) return false;
    switch (kind) {
        case Kind::Plain: return typeid(*s) == typeid(CCTransitionScene);
        case Kind::PageForward:
        case Kind::PageBackward: return typeid(*s) == typeid(CCTransitionPageTurn);
        case Kind::FlipUpOver:
        case Kind::FlipDownOver: return typeid(*s) == typeid(CCTransitionZoomFlipY);
    }
    return false;
}

class TransitionLifecycle : public HostTest, public ::testing::WithParamInterface<Kind> {
protected:
    // Page A running on its own, the journal cleared.
    JournalLayer* runFirstPage() {
        JournalLayer* layer = nullptr;
        JournalScene* a = newPage("A", ccc4(200, 40, 40, 255), &layer);
        director()->runWithScene(a);
        a->release();
        host->step(1);
        journal().clear();
        return layer;
    }

    // Builds page B the way the reader does, wraps it in a transition and hands that over.
    CCTransitionScene* turnTo(float duration, JournalLayer** layerOut = nullptr) {
        JournalScene* b = newPage("B", ccc4(40, 160, 60, 255), layerOut);
        incoming = b;
        director()->setDepthTest(true);
        CCTransitionScene* t = makeTransition(GetParam(), duration, b);
        b->release();
        if (t) director()->replaceScene(t);
        return t;
    }

    CCScene* incoming = nullptr;  // held by the transition, then by the director
};

}  // namespace

TEST_P(TransitionLifecycle, BothScenesGoThroughTheirLifecycleInOrder) {
    runFirstPage();
    CCScene* a = director()->getRunningScene();
    CCTransitionScene* t = turnTo(0.5f);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->getOutScene(), a);
    EXPECT_EQ(t->getDuration(), 0.5f);
    EXPECT_TRUE(t->isTransitionScene());
    EXPECT_EQ(journal(), std::vector<std::string>{"B.layer constructed"});

    host->step(1);
    EXPECT_EQ(director()->getRunningScene(), t);
    EXPECT_TRUE(isKind(GetParam(), director()->getRunningScene()));
    const std::vector<std::string> started{"B.layer constructed",           "B.layer onEnter",
                                           "B onEnter",                     "A.layer onExitTransitionDidStart",
                                           "A onExitTransitionDidStart"};
    EXPECT_EQ(journal(), started);
    EXPECT_FALSE(director()->getTouchDispatcher()->isDispatchEvents());

    // Half a second is thirty frames: the transition shows through all of them, asks for the
    // incoming scene on the thirtieth, and the director shows it from the thirty-first.
    host->step(29);
    EXPECT_EQ(director()->getRunningScene(), t);
    EXPECT_TRUE(t->isFinished());
    EXPECT_EQ(journal(), started);
    EXPECT_FALSE(director()->getTouchDispatcher()->isDispatchEvents());

    host->step(1);
    ASSERT_EQ(director()->getRunningScene(), incoming);
    EXPECT_TRUE(director()->getTouchDispatcher()->isDispatchEvents());
    const std::vector<std::string> all{"B.layer constructed",
                                       "B.layer onEnter",
                                       "B onEnter",
                                       "A.layer onExitTransitionDidStart",
                                       "A onExitTransitionDidStart",
                                       "A.layer onExit",
                                       "A onExit",
                                       "A.layer cleanup",
                                       "A cleanup",
                                       "B.layer onEnterTransitionDidFinish",
                                       "B onEnterTransitionDidFinish",
                                       "A destroyed",
                                       "A.layer destroyed"};
    EXPECT_EQ(journal(), all);
    // The outgoing page exits after the incoming page was built and entered.
    EXPECT_LT(journalIndex("B.layer constructed"), journalIndex("A onExit"));
    EXPECT_LT(journalIndex("B onEnter"), journalIndex("A onExit"));

    // Nothing more for either scene in later frames; B is a plain running scene now.
    host->step(3);
    EXPECT_EQ(journal(), all);
    EXPECT_TRUE(director()->getRunningScene()->isRunning());
}

TEST_P(TransitionLifecycle, TouchesAreIgnoredWhileItRunsAndDeliveredAfter) {
    JournalLayer* first = runFirstPage();
    first->setTouchMode(kCCTouchesOneByOne);
    first->setTouchEnabled(true);
    host->touchDown(100, 100);
    host->touchUp(100, 100);
    ASSERT_EQ(first->touchesBegan, 1);

    JournalLayer* next = nullptr;
    turnTo(0.5f, &next);
    next->setTouchMode(kCCTouchesOneByOne);
    next->setTouchEnabled(true);
    host->step(1);
    // Registered (it entered with the transition), yet given nothing while the page turns.
    EXPECT_TRUE(director()->getTouchDispatcher()->hasDelegate(next));
    for (int frame = 0; frame < 29; ++frame) {
        host->touchDown(320, 480);
        host->touchMove(300, 480);
        host->touchUp(300, 480);
        host->step(1);
    }
    EXPECT_EQ(next->touchesBegan, 0);
    EXPECT_EQ(next->touchesEnded, 0);
    EXPECT_EQ(first->touchesBegan, 1);

    host->step(1);
    ASSERT_EQ(director()->getRunningScene(), incoming);
    host->touchDown(320, 480);
    host->touchUp(320, 480);
    EXPECT_EQ(next->touchesBegan, 1);
    EXPECT_EQ(next->touchesEnded, 1);
}

TEST_P(TransitionLifecycle, ZeroLengthHandsOverOnTheSecondFrame) {
    // 0 as given, and the durations that mean 0: negative and not a number.
    const float durations[] = {0.f, -1.f, std::numeric_limits<float>::quiet_NaN()};
    for (float duration : durations) {
        SCOPED_TRACE(duration);
        runFirstPage();
        logs.clear();
        CCTransitionScene* t = turnTo(duration);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->getDuration(), 0.f);
        EXPECT_EQ(logged("taken as 0"), !(duration == 0.f));
        // First frame: the transition runs (and has already asked for the incoming scene).
        host->step(1);
        EXPECT_TRUE(isKind(GetParam(), director()->getRunningScene()));
        EXPECT_TRUE(t->isFinished());
        EXPECT_EQ(journalCount("B onEnter"), 1);
        EXPECT_EQ(journalCount("A onExit"), 0);
        // Second frame: the incoming scene is the running scene, fully entered.
        host->step(1);
        EXPECT_EQ(director()->getRunningScene(), incoming);
        EXPECT_EQ(journalCount("B onEnterTransitionDidFinish"), 1);
        EXPECT_EQ(journalCount("A onExit"), 1);
        EXPECT_EQ(journalCount("A destroyed"), 1);
        EXPECT_TRUE(director()->getTouchDispatcher()->isDispatchEvents());
        // Start over from a new first page.
        director()->replaceScene(CCScene::create());
        host->step(1);
    }
}

TEST_P(TransitionLifecycle, LongerDurationsCountVirtualTime) {
    runFirstPage();
    CCTransitionScene* t = turnTo(1.0f);
    ASSERT_NE(t, nullptr);
    for (int frame = 1; frame <= 60; ++frame) {
        host->step(1);
        ASSERT_EQ(director()->getRunningScene(), t) << "frame " << frame;
        EXPECT_NEAR(t->getProgress(), frame / 60.0, 1e-4) << "frame " << frame;
    }
    host->step(1);
    EXPECT_EQ(director()->getRunningScene(), incoming);
    EXPECT_EQ(journalCount("B onEnterTransitionDidFinish"), 1);
}

TEST_P(TransitionLifecycle, EndingMidwayExitsBothScenes) {
    runFirstPage();
    turnTo(0.5f);
    host->step(10);
    ASSERT_EQ(journalCount("B onEnter"), 1);
    // The run ends (window closed) with the page half turned.
    host.reset();
    EXPECT_EQ(journalCount("A onExit"), 1);
    EXPECT_EQ(journalCount("B onExit"), 1);
    EXPECT_EQ(journalCount("B cleanup"), 1);
    EXPECT_EQ(journalCount("B onEnterTransitionDidFinish"), 0);
    EXPECT_EQ(journalCount("A destroyed"), 1);
    EXPECT_EQ(journalCount("B destroyed"), 1);
    EXPECT_LT(journalIndex("B onExit"), journalIndex("B destroyed"));
}

INSTANTIATE_TEST_SUITE_P(AllKinds, TransitionLifecycle,
                         ::testing::Values(Kind::Plain, Kind::PageForward, Kind::PageBackward, Kind::FlipUpOver,
                                           Kind::FlipDownOver),
                         [](const ::testing::TestParamInfo<Kind>& info) { return std::string(kindName(info.param)); });

// --- Input the transitions refuse ----------------------------------------------------------

class TransitionInput : public HostTest {};

TEST_F(TransitionInput, NullOrRunningIncomingSceneMakesNoTransition) {
    EXPECT_EQ(CCTransitionPageTurn::create(0.5f, nullptr, false), nullptr);
    EXPECT_TRUE(logged("no incoming scene"));
    EXPECT_EQ(CCTransitionZoomFlipY::create(0.5f, nullptr, kCCTransitionOrientationDownOver), nullptr);
    EXPECT_EQ(CCTransitionScene::create(0.5f, nullptr), nullptr);

    CCScene* running = CCScene::create();
    director()->runWithScene(running);
    host->step(1);
    logs.clear();
    EXPECT_EQ(CCTransitionPageTurn::create(0.5f, running, true), nullptr);
    EXPECT_TRUE(logged("is the running scene"));
    // Nothing was handed to the director: the running scene stays and frames go on.
    host->step(2);
    EXPECT_EQ(director()->getRunningScene(), running);
}

TEST_F(TransitionInput, FlipOrientationOutOfRangeIsUpOver) {
    CCTransitionZoomFlipY* t = CCTransitionZoomFlipY::create(0.5f, CCScene::create(), tOrientation(7));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->getOrientation(), kCCTransitionOrientationUpOver);
    EXPECT_TRUE(logged("orientation 7"));
}

TEST_F(TransitionInput, FirstSceneOfTheRunMayArriveThroughATransition) {
    JournalScene* b = newPage("B", ccc4(40, 160, 60, 255));
    CCTransitionScene* t = CCTransitionPageTurn::create(0.5f, b, false);
    b->release();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->getOutScene(), nullptr);
    director()->runWithScene(t);
    host->step(31);
    EXPECT_EQ(director()->getRunningScene(), b);
    EXPECT_EQ(journalCount("B onEnter"), 1);
    EXPECT_EQ(journalCount("B onEnterTransitionDidFinish"), 1);
}

TEST_F(TransitionInput, OutgoingSceneKeptByItsOwnerComesBackVisible) {
    // Pages kept and shown again (turning back and forth between the same two scenes).
    CCScene* pages[2] = {bandedPage(ccc4(200, 40, 40, 255), ccc4(250, 230, 120, 255)),
                         bandedPage(ccc4(40, 160, 60, 255), ccc4(40, 60, 200, 255))};
    for (CCScene* p : pages) p->retain();
    director()->runWithScene(pages[0]);
    host->step(1);
    for (int turn = 0; turn < 3; ++turn) {
        CCScene* next = pages[(turn + 1) % 2];
        director()->replaceScene(CCTransitionPageTurn::create(0.5f, next, turn == 1));
        host->step(31);
        ASSERT_EQ(director()->getRunningScene(), next);
        EXPECT_TRUE(pages[0]->isVisible());
        EXPECT_TRUE(pages[1]->isVisible());
        EXPECT_FALSE(pages[turn % 2]->isRunning());
    }
    for (CCScene* p : pages) p->release();
}
