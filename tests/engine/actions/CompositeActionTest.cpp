// Sequences, spawns and repeats: durations, when instant actions fire, reverses and endless loops.
#include "ActionTestSupport.h"

#include <cmath>

using namespace actiontest;

namespace {

class CompositeActionTest : public ActionTest {
protected:
    CCCallFunc* call() { return CCCallFunc::create(listener, callfunc_selector(Listener::call)); }
    CCCallFuncN* callN() { return CCCallFuncN::create(listener, callfuncN_selector(Listener::callN)); }
};

}  // namespace

TEST_F(CompositeActionTest, DurationsAddUpInSequencesAndTakeTheLongestInSpawns) {
    CCSequence* seq = CCSequence::create(CCMoveBy::create(1, ccp(1, 0)), CCDelayTime::create(0.5f), call(),
                                         CCRotateBy::create(2, 10), nullptr);
    ASSERT_NE(seq, nullptr);
    EXPECT_FLOAT_EQ(seq->getDuration(), 3.5f);

    CCArray* list = CCArray::create(CCDelayTime::create(0.25f), CCDelayTime::create(0.5f), nullptr);
    EXPECT_FLOAT_EQ(CCSequence::create(list)->getDuration(), 0.75f);
    EXPECT_FLOAT_EQ(CCSpawn::create(list)->getDuration(), 0.5f);

    CCSpawn* spawn = CCSpawn::create(CCMoveBy::create(1, ccp(1, 0)), CCRotateBy::create(2.5f, 10), call(), nullptr);
    EXPECT_FLOAT_EQ(spawn->getDuration(), 2.5f);
    EXPECT_FLOAT_EQ(CCRepeat::create(CCDelayTime::create(0.25f), 6)->getDuration(), 1.5f);
}

TEST_F(CompositeActionTest, EmptyListsGiveNoAction) {
    setLogQuiet(true);
    EXPECT_EQ(CCSequence::create(static_cast<CCFiniteTimeAction*>(nullptr), nullptr), nullptr);
    EXPECT_EQ(CCSequence::create(CCArray::create()), nullptr);
    EXPECT_EQ(CCSpawn::create(CCArray::create()), nullptr);
    EXPECT_EQ(CCSequence::createWithTwoActions(CCDelayTime::create(1), nullptr), nullptr);
    EXPECT_EQ(CCRepeatForever::create(nullptr), nullptr);
    // Entries that are not timed actions are skipped rather than trusted.
    CCArray* mixed = CCArray::create(CCNode::create(), CCDelayTime::create(0.5f), nullptr);
    CCSequence* seq = CCSequence::create(mixed);
    setLogQuiet(false);
    ASSERT_NE(seq, nullptr);
    EXPECT_FLOAT_EQ(seq->getDuration(), 0.5f);
}

TEST_F(CompositeActionTest, OneActionSequenceRunsThatAction) {
    CCNode* node = makeNode();
    CCSequence* seq = CCSequence::create(CCMoveBy::create(0.5f, ccp(30, 0)), nullptr);
    ASSERT_NE(seq, nullptr);
    EXPECT_FLOAT_EQ(seq->getDuration(), 0.5f);
    run(seq, node);
    frames(30);
    EXPECT_EQ(node->getPositionX(), 30.f);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
}

TEST_F(CompositeActionTest, CallbackAtTheEndFiresOnceOnTheLastFrame) {
    CCNode* node = makeNode();
    run(CCSequence::create(CCMoveBy::create(1, ccp(60, 0)), call(), nullptr), node);
    frames(59);
    EXPECT_TRUE(listener->frames.empty());
    frames(1);
    EXPECT_EQ(listener->frames, std::vector<int>{60});
    EXPECT_EQ(node->getPositionX(), 60.f) << "the move is complete when the callback fires";
    frames(30);
    EXPECT_EQ(listener->frames.size(), 1u);
}

TEST_F(CompositeActionTest, CallbacksAtStartAndMiddleFireOnceOnTheirFrame) {
    CCNode* node = makeNode();
    listener->onNode = [&](CCNode* n) { EXPECT_EQ(n, node) << "CCCallFuncN passes the running node"; };
    run(CCSequence::create(callN(), CCDelayTime::create(0.5f), callN(), CCDelayTime::create(0.5f), nullptr), node);
    frames(90);
    EXPECT_EQ(listener->frames, (std::vector<int>{1, 30}));
}

TEST_F(CompositeActionTest, ZeroDurationSequenceRunsEveryActionOnceInOrder) {
    CCNode* node = makeNode();
    std::vector<int> order;
    CCSequence* seq = CCSequence::create(CCCallFunc::create([&] { order.push_back(1); }), CCPlace::create(ccp(9, 9)),
                                         CCCallFunc::create([&] { order.push_back(2); }), CCHide::create(), nullptr);
    EXPECT_EQ(seq->getDuration(), 0.f);
    run(seq, node);
    frames(1);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(node->getPosition(), ccp(9, 9));
    EXPECT_FALSE(node->isVisible());
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
    frames(3);
    EXPECT_EQ(order.size(), 2u);
}

TEST_F(CompositeActionTest, LongFrameStillGivesEveryActionItsEnd) {
    CCNode* node = makeNode();
    run(CCSequence::create(CCMoveBy::create(0.1f, ccp(10, 0)), call(), CCMoveBy::create(0.1f, ccp(0, 10)),
                           CCShow::create(), nullptr),
        node);
    node->setVisible(false);
    frames(1, 5.0f);
    EXPECT_EQ(node->getPosition(), ccp(10, 10));
    EXPECT_EQ(listener->frames.size(), 1u);
    EXPECT_TRUE(node->isVisible());
}

TEST_F(CompositeActionTest, MoveDelayReverseDelayReturnsToStart) {
    // The contents screen's walking figure: there and back again, for ever.
    CCNode* node = makeNode(60, 96);
    CCActionInterval* there = CCEaseInOut::create(CCMoveBy::create(3.0f, ccp(510, 0)), 1.0f);
    CCDelayTime* pause = CCDelayTime::create(0.25f);
    CCDelayTime* pause2 = pause->copy();
    pause2->autorelease();
    CCSequence* walk = CCSequence::create(there, pause, there->reverse(), pause2, nullptr);
    ASSERT_NE(walk, nullptr);
    EXPECT_FLOAT_EQ(walk->getDuration(), 6.5f);
    run(CCRepeatForever::create(walk), node);
    for (int loop = 0; loop < 3; ++loop) {
        frames(180);
        EXPECT_NEAR(node->getPositionX(), 570.f, 1e-3f) << "loop " << loop;
        frames(15);
        EXPECT_NEAR(node->getPositionX(), 570.f, 1e-3f) << "still during the first delay";
        frames(90);
        EXPECT_NEAR(node->getPositionX(), 315.f, 1e-2f) << "half way back";
        frames(105);
        EXPECT_NEAR(node->getPositionX(), 60.f, 1e-3f) << "back at the start after loop " << loop;
        EXPECT_EQ(node->getPositionY(), 96.f);
    }
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 1u);
}

TEST_F(CompositeActionTest, SequenceReverseRunsTheReversedActionsBackwards) {
    CCNode* node = makeNode(0, 0);
    CCSequence* seq = CCSequence::create(CCMoveBy::create(1.0f, ccp(100, 0)), CCMoveBy::create(0.5f, ccp(0, 50)), nullptr);
    CCActionInterval* back = keep(seq->reverse());
    ASSERT_NE(back, nullptr);
    EXPECT_FLOAT_EQ(back->getDuration(), 1.5f);
    run(seq, node);
    frames(90);
    EXPECT_EQ(node->getPosition(), ccp(100, 50));
    run(back, node);
    frames(30);
    EXPECT_NEAR(node->getPositionX(), 100.f, 1e-4f) << "the vertical move is undone first";
    EXPECT_NEAR(node->getPositionY(), 0.f, 1e-4f);
    frames(60);
    EXPECT_NEAR(node->getPositionX(), 0.f, 1e-3f);
    EXPECT_NEAR(node->getPositionY(), 0.f, 1e-4f);

    setLogQuiet(true);
    EXPECT_EQ(CCSequence::create(CCMoveTo::create(1, ccp(1, 1)), CCDelayTime::create(1), nullptr)->reverse(), nullptr);
    setLogQuiet(false);
}

TEST_F(CompositeActionTest, SequenceCopyIsDeep) {
    CCNode* a = makeNode(0, 0);
    CCNode* b = makeNode(0, 1000);
    CCSequence* seq = CCSequence::create(CCMoveBy::create(0.5f, ccp(50, 0)), CCMoveBy::create(0.5f, ccp(0, 50)), nullptr);
    CCSequence* twin = seq->copy();
    run(seq, a);
    run(twin, b);
    twin->release();
    frames(45);
    EXPECT_NEAR(a->getPositionX(), 50.f, 1e-4f);
    EXPECT_NEAR(a->getPositionY(), 25.f, 1e-3f);
    EXPECT_NEAR(b->getPositionX(), 50.f, 1e-4f);
    EXPECT_NEAR(b->getPositionY(), 1025.f, 1e-3f);
    frames(15);
    EXPECT_EQ(a->getPosition(), ccp(50, 50));
    EXPECT_EQ(b->getPosition(), ccp(50, 1050));
}

TEST_F(CompositeActionTest, SpawnRunsSideBySideAndPadsTheShorterAction) {
    CCNode* node = makeNode();
    CCSpawn* both = CCSpawn::create(CCMoveBy::create(1.0f, ccp(100, 0)), CCRotateBy::create(0.5f, 90), call(), nullptr);
    run(both, node);
    frames(1);
    EXPECT_EQ(listener->frames, std::vector<int>{1}) << "an instant action in a spawn fires at the start";
    frames(29);
    EXPECT_NEAR(node->getPositionX(), 50.f, 1e-3f);
    EXPECT_EQ(node->getRotation(), 90.f);
    frames(29);
    EXPECT_EQ(node->getRotation(), 90.f);
    EXPECT_LT(node->getPositionX(), 100.f);
    frames(1);
    EXPECT_EQ(node->getPositionX(), 100.f);
    EXPECT_EQ(listener->frames.size(), 1u);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);

    CCActionInterval* back = CCSpawn::create(CCMoveBy::create(1.0f, ccp(100, 0)), CCRotateBy::create(0.5f, 90), nullptr)->reverse();
    ASSERT_NE(back, nullptr);
    run(back, node);
    frames(30);
    EXPECT_NEAR(node->getRotation(), 90.f, 1e-4f) << "the padded rotation waits, then turns back";
    frames(30);
    EXPECT_NEAR(node->getRotation(), 0.f, 1e-4f);
    EXPECT_NEAR(node->getPositionX(), 0.f, 1e-3f);
}

TEST_F(CompositeActionTest, RepeatRunsItsLoopsOnTheRightFrames) {
    CCNode* node = makeNode();
    run(CCRepeat::create(CCSequence::create(CCMoveBy::create(0.25f, ccp(10, 0)), call(), nullptr), 4), node);
    frames(60);
    EXPECT_EQ(listener->frames, (std::vector<int>{15, 30, 45, 60}));
    EXPECT_NEAR(node->getPositionX(), 40.f, 1e-4f);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);

    listener->frames.clear();
    CCRepeat* fast = keep(CCRepeat::create(CCSequence::create(CCMoveBy::create(0.25f, ccp(10, 0)), call(), nullptr), 4));
    run(fast, node);
    frames(1, 2.0f);
    EXPECT_EQ(listener->frames.size(), 4u) << "a long frame completes every loop it covers";
    EXPECT_NEAR(node->getPositionX(), 80.f, 1e-4f);

    CCActionInterval* back = fast->reverse();
    ASSERT_NE(back, nullptr);
    EXPECT_FLOAT_EQ(back->getDuration(), 1.0f);
}

TEST_F(CompositeActionTest, RepeatForeverCarriesTheOvershootSoLoopsDoNotDrift) {
    // 0.3125 s loops never line up with 1/60 s frames: each loop ends inside a frame.
    CCNode* node = makeNode();
    CCRepeatForever* forever =
        CCRepeatForever::create(CCSequence::create(CCMoveBy::create(0.3125f, ccp(100, 0)),
                                                   CCMoveBy::create(0.3125f, ccp(-100, 0)), nullptr));
    run(forever, node);
    for (int k = 1; k <= 3000; ++k) {
        frames(1);
        double t = k / 60.0;
        double phase = std::fmod(t, 0.625);
        double expected = phase < 0.3125 ? 320 * phase : 100 - 320 * (phase - 0.3125);
        ASSERT_NEAR(node->getPositionX(), expected, 0.05) << "frame " << k;
    }
    EXPECT_FALSE(forever->isDone());
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 1u);
}

TEST_F(CompositeActionTest, RepeatForeverOfAMoveKeepsThePace) {
    CCNode* node = makeNode();
    run(CCRepeatForever::create(CCMoveBy::create(0.3125f, ccp(100, 0))), node);
    frames(600);
    EXPECT_NEAR(node->getPositionX(), 3200.f, 0.05f) << "32 loops in 10 s";
    frames(400);
    EXPECT_NEAR(node->getPositionX(), 100 * (1000 / 60.0) / 0.3125, 0.05);
}

TEST_F(CompositeActionTest, RepeatForeverReverseAndCopy) {
    CCNode* a = makeNode();
    CCNode* b = makeNode();
    CCRepeatForever* forever = CCRepeatForever::create(CCMoveBy::create(0.5f, ccp(10, 0)));
    run(forever->reverse(), a);
    CCRepeatForever* twin = forever->copy();
    run(twin, b);
    twin->release();
    frames(60);
    EXPECT_NEAR(a->getPositionX(), -20.f, 1e-3f);
    EXPECT_NEAR(b->getPositionX(), 20.f, 1e-3f);
}

TEST_F(CompositeActionTest, SpeedScalesTheClock) {
    CCNode* node = makeNode();
    CCSpeed* quick = CCSpeed::create(CCMoveBy::create(1.0f, ccp(60, 0)), 2.0f);
    run(quick, node);
    frames(15);
    EXPECT_NEAR(node->getPositionX(), 30.f, 1e-3f);
    quick->setSpeed(0.5f);
    setLogQuiet(true);
    quick->setSpeed(-1);
    setLogQuiet(false);
    EXPECT_EQ(quick->getSpeed(), 0.5f);
    frames(30);
    EXPECT_NEAR(node->getPositionX(), 45.f, 1e-3f);
    frames(30);
    EXPECT_EQ(node->getPositionX(), 60.f);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
}
