// The interval clock and the property tweens: frame-exact ends, reverses, copies, colour.
#include "ActionTestSupport.h"

#include <cmath>

using namespace actiontest;

namespace {
class IntervalActionTest : public ActionTest {};
}  // namespace

TEST_F(IntervalActionTest, EasedMoveToEndsExactlyOnItsLastFrame) {
    CCNode* node = makeNode(60, 96);
    run(CCEaseInOut::create(CCMoveTo::create(3.0f, ccp(510, 96)), 2.0f), node);
    float previous = 60;
    for (int i = 1; i < 180; ++i) {
        frames(1);
        float x = node->getPositionX();
        ASSERT_GT(x, 60.f) << "frame " << i;
        ASSERT_LT(x, 510.f) << "frame " << i;
        ASSERT_GE(x, previous) << "frame " << i;
        previous = x;
        if (i == 90) {
            EXPECT_NEAR(x, 285.f, 0.01f) << "an in-out ease is half way at half time";
        }
    }
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 1u);
    frames(1);
    EXPECT_EQ(node->getPositionX(), 510.f);
    EXPECT_EQ(node->getPositionY(), 96.f);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
}

TEST_F(IntervalActionTest, FirstStepCountsItsFrameAndElapsedFollowsTheClock) {
    CCNode* node = makeNode();
    CCMoveBy* move = CCMoveBy::create(1.0f, ccp(60, 0));
    run(move, node);
    frames(1);
    EXPECT_NEAR(node->getPositionX(), 1.f, 1e-4f);
    EXPECT_NEAR(move->getElapsed(), kFrame, 1e-6f);
    frames(29);
    EXPECT_NEAR(node->getPositionX(), 30.f, 1e-3f);
    EXPECT_FALSE(move->isDone());
}

TEST_F(IntervalActionTest, ZeroDurationActionsFinishOnTheirFirstStep) {
    CCNode* node = makeNode(5, 5);
    CCMoveTo* move = CCMoveTo::create(0, ccp(40, 50));
    EXPECT_FALSE(move->isDone()) << "not done before it ever ran";
    run(move, node);
    run(CCRotateBy::create(0, 45), node);
    frames(1);
    EXPECT_EQ(node->getPosition(), ccp(40, 50));
    EXPECT_EQ(node->getRotation(), 45.f);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
}

TEST_F(IntervalActionTest, BadDurationsBecomeZero) {
    setLogQuiet(true);
    EXPECT_EQ(CCDelayTime::create(-3)->getDuration(), 0.f);
    EXPECT_EQ(CCMoveBy::create(NAN, ccp(1, 1))->getDuration(), 0.f);
    EXPECT_EQ(CCScaleTo::create(1, NAN), nullptr);
    EXPECT_EQ(CCRotateTo::create(1, INFINITY), nullptr);
    setLogQuiet(false);
}

TEST_F(IntervalActionTest, MoveByReverseUndoesTheMove) {
    CCNode* node = makeNode(10, 20);
    CCMoveBy* move = CCMoveBy::create(0.5f, ccp(30, -40));
    CCActionInterval* back = keep(move->reverse());
    ASSERT_NE(dynamic_cast<CCMoveBy*>(back), nullptr);
    EXPECT_EQ(back->getDuration(), 0.5f);
    run(move, node);
    frames(30);
    EXPECT_EQ(node->getPosition(), ccp(40, -20));
    run(back, node);
    frames(15);
    EXPECT_NEAR(node->getPositionX(), 25.f, 1e-3f);
    EXPECT_NEAR(node->getPositionY(), 0.f, 1e-3f);
    frames(15);
    EXPECT_NEAR(node->getPositionX(), 10.f, 1e-4f);
    EXPECT_NEAR(node->getPositionY(), 20.f, 1e-4f);
}

TEST_F(IntervalActionTest, ToActionsHaveNoReverse) {
    setLogQuiet(true);
    EXPECT_EQ(CCMoveTo::create(1, ccp(1, 1))->reverse(), nullptr);
    EXPECT_EQ(CCScaleTo::create(1, 2)->reverse(), nullptr);
    EXPECT_EQ(CCRotateTo::create(1, 90)->reverse(), nullptr);
    EXPECT_EQ(CCFadeTo::create(1, 10)->reverse(), nullptr);
    EXPECT_EQ(CCTintTo::create(1, 1, 2, 3)->reverse(), nullptr);
    setLogQuiet(false);
}

TEST_F(IntervalActionTest, CopyIsAFreshIndependentAction) {
    CCNode* a = makeNode(0, 0);
    CCNode* b = makeNode(100, 100);
    CCMoveBy* original = CCMoveBy::create(1.0f, ccp(60, 0));
    original->setTag(7);
    run(original, a);
    frames(30);

    CCMoveBy* copied = original->copy();
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied, original);
    EXPECT_EQ(copied->retainCount(), 1u) << "a copy belongs to its caller alone";
    EXPECT_EQ(copied->getDuration(), 1.0f);
    EXPECT_EQ(copied->getElapsed(), 0.f) << "copying a running action copies its definition, not its progress";
    run(copied, b);
    copied->release();
    frames(30);
    EXPECT_NEAR(a->getPositionX(), 60.f, 1e-3f);
    EXPECT_NEAR(b->getPositionX(), 130.f, 1e-3f);
    EXPECT_EQ(b->getPositionY(), 100.f);
    frames(30);
    EXPECT_NEAR(a->getPositionX(), 60.f, 1e-3f) << "the original ended; the copy ran on";
    EXPECT_NEAR(b->getPositionX(), 160.f, 1e-3f);
}

TEST_F(IntervalActionTest, ScaleToAndScaleBy) {
    CCNode* node = makeNode();
    node->setScaleX(2);
    node->setScaleY(4);
    run(CCScaleTo::create(0.5f, 1.0f, 3.0f), node);
    frames(15);
    EXPECT_NEAR(node->getScaleX(), 1.5f, 1e-4f);
    EXPECT_NEAR(node->getScaleY(), 3.5f, 1e-4f);
    frames(15);
    EXPECT_EQ(node->getScaleX(), 1.0f);
    EXPECT_EQ(node->getScaleY(), 3.0f);

    CCScaleBy* by = CCScaleBy::create(0.5f, 2.0f);
    CCActionInterval* undo = keep(by->reverse());
    run(by, node);
    frames(30);
    EXPECT_NEAR(node->getScaleX(), 2.0f, 1e-5f);
    EXPECT_NEAR(node->getScaleY(), 6.0f, 1e-5f);
    run(undo, node);
    frames(30);
    EXPECT_NEAR(node->getScaleX(), 1.0f, 1e-5f);
    EXPECT_NEAR(node->getScaleY(), 3.0f, 1e-5f);
}

TEST_F(IntervalActionTest, RotateToTurnsTheShortWayRound) {
    struct Case {
        float from, to;
        float direction;  // sign of the turn
        float distance;   // degrees travelled
    };
    for (Case c : {Case{350, 10, +1, 20}, Case{10, 350, -1, 20}, Case{0, 270, -1, 90}, Case{750, 60, +1, 30},
                   Case{-170, 170, -1, 20}, Case{0, 90, +1, 90}}) {
        CCNode* node = makeNode();
        node->setRotation(c.from);
        run(CCRotateTo::create(1.0f, c.to), node);
        float previous = c.from;
        for (int i = 0; i < 60; ++i) {
            frames(1);
            float r = node->getRotation();
            ASSERT_GE((r - previous) * c.direction, 0.f) << c.from << " -> " << c.to << " turned the wrong way";
            previous = r;
        }
        float end = node->getRotation();
        EXPECT_NEAR(std::fabs(end - c.from), c.distance, 1e-3f) << c.from << " -> " << c.to;
        float remainder = std::fmod(std::fmod(end - c.to, 360.f) + 360.f, 360.f);
        EXPECT_TRUE(remainder < 1e-3f || remainder > 360 - 1e-3f) << c.from << " -> " << c.to << " ended at " << end;
    }
}

TEST_F(IntervalActionTest, RotateByAndItsReverse) {
    CCNode* node = makeNode();
    node->setRotation(30);
    CCRotateBy* turn = CCRotateBy::create(0.25f, 400);
    CCActionInterval* undo = keep(turn->reverse());
    run(turn, node);
    frames(15);
    EXPECT_NEAR(node->getRotation(), 430.f, 1e-3f) << "a rotate by may go past a whole turn";
    run(undo, node);
    frames(15);
    EXPECT_NEAR(node->getRotation(), 30.f, 1e-3f);
}

TEST_F(IntervalActionTest, FadeToChangesOpacityOfAColouredNode) {
    CCNodeRGBA* node = makeNode();
    node->setOpacity(200);
    run(CCFadeTo::create(1.0f, 0), node);
    int previous = 200;
    for (int i = 1; i <= 60; ++i) {
        frames(1);
        int o = node->getOpacity();
        ASSERT_LE(o, previous);
        previous = o;
        if (i == 30) {
            EXPECT_NEAR(o, 100, 1);
        }
        if (i < 60) {
            ASSERT_GT(o, 0);
        }
    }
    EXPECT_EQ(node->getOpacity(), 0);
}

TEST_F(IntervalActionTest, FadeInAndOutIgnoreTheStartingOpacity) {
    CCNodeRGBA* node = makeNode();
    node->setOpacity(90);
    CCFadeIn* in = CCFadeIn::create(0.5f);
    CCActionInterval* out = keep(in->reverse());
    run(in, node);
    frames(1);
    EXPECT_LT(node->getOpacity(), 20) << "a fade in starts from transparent";
    frames(29);
    EXPECT_EQ(node->getOpacity(), 255);
    ASSERT_NE(dynamic_cast<CCFadeOut*>(out), nullptr);
    run(out, node);
    frames(30);
    EXPECT_EQ(node->getOpacity(), 0);
}

TEST_F(IntervalActionTest, TintToBlendsEachChannel) {
    CCNodeRGBA* node = makeNode();
    node->setColor(ccc3(255, 0, 100));
    run(CCTintTo::create(0.5f, 55, 200, 100), node);
    frames(15);
    ccColor3B half = node->getColor();
    EXPECT_NEAR(half.r, 155, 1);
    EXPECT_NEAR(half.g, 100, 1);
    EXPECT_EQ(half.b, 100);
    frames(15);
    EXPECT_EQ(node->getColor(), ccc3(55, 200, 100));
}

TEST_F(IntervalActionTest, ColourActionsOnAPlainNodeDoNothingButFinish) {
    auto* plain = new CCNode();
    plain->init();
    adopt(plain, 3, 4);
    setLogQuiet(true);
    run(CCFadeTo::create(0.1f, 0), plain);
    run(CCTintTo::create(0.1f, 0, 0, 0), plain);
    frames(6);
    setLogQuiet(false);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(plain), 0u);
    EXPECT_EQ(plain->getPosition(), ccp(3, 4));
}

TEST_F(IntervalActionTest, DelayTimeChangesNothingAndLastsItsDuration) {
    CCNodeRGBA* node = makeNode(7, 8);
    CCDelayTime* delay = keep(CCDelayTime::create(0.5f));
    run(delay, node);
    frames(29);
    EXPECT_FALSE(delay->isDone());
    frames(1);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
    EXPECT_EQ(node->getPosition(), ccp(7, 8));
    CCDelayTime* back = delay->reverse();
    EXPECT_EQ(back->getDuration(), 0.5f);
}
