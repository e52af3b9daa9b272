// Eased actions: the shape of each curve, exact ends, overshoot of elastic eases, reverses.
#include "ActionTestSupport.h"

#include <cmath>
#include <functional>
#include <string>

using namespace actiontest;

namespace {

class EaseActionTest : public ActionTest {};

struct Curve {
    std::string name;
    std::function<float(float)> f;
    bool overshoots;
};

std::vector<Curve> curves() {
    return {
        {"rateIn 2", [](float t) { return easing::rateIn(t, 2); }, false},
        {"rateOut 3", [](float t) { return easing::rateOut(t, 3); }, false},
        {"rateInOut 2", [](float t) { return easing::rateInOut(t, 2); }, false},
        {"rateInOut 0.5", [](float t) { return easing::rateInOut(t, 0.5f); }, false},
        {"sineIn", easing::sineIn, false},
        {"sineOut", easing::sineOut, false},
        {"sineInOut", easing::sineInOut, false},
        {"exponentialIn", easing::exponentialIn, false},
        {"exponentialOut", easing::exponentialOut, false},
        {"exponentialInOut", easing::exponentialInOut, false},
        {"elasticIn", [](float t) { return easing::elasticIn(t, 0.3f); }, true},
        {"elasticOut", [](float t) { return easing::elasticOut(t, 0.3f); }, true},
        {"elasticInOut", [](float t) { return easing::elasticInOut(t, 0.45f); }, true},
    };
}

}  // namespace

TEST_F(EaseActionTest, EveryCurveMeetsBothEndsExactly) {
    for (const Curve& c : curves()) {
        EXPECT_EQ(c.f(0), 0.f) << c.name;
        EXPECT_EQ(c.f(1), 1.f) << c.name;
    }
}

TEST_F(EaseActionTest, PlainCurvesRiseMonotonicallyWithinTheUnitRange) {
    for (const Curve& c : curves()) {
        if (c.overshoots) continue;
        float previous = 0;
        for (int i = 1; i <= 1000; ++i) {
            float v = c.f(i / 1000.f);
            ASSERT_GE(v, previous) << c.name << " at " << i / 1000.f;
            ASSERT_LE(v, 1.f) << c.name;
            previous = v;
        }
    }
}

TEST_F(EaseActionTest, InOutCurvesAreSymmetricAboutTheMiddle) {
    for (float rate : {0.5f, 1.0f, 2.0f, 3.5f}) {
        EXPECT_NEAR(easing::rateInOut(0.5f, rate), 0.5f, 1e-6f);
        for (int i = 0; i <= 100; ++i) {
            float t = i / 100.f;
            ASSERT_NEAR(easing::rateInOut(t, rate) + easing::rateInOut(1 - t, rate), 1.f, 1e-5f) << rate;
        }
    }
    for (int i = 0; i <= 100; ++i) {
        float t = i / 100.f;
        EXPECT_NEAR(easing::rateInOut(t, 1.0f), t, 1e-6f) << "rate 1 is no easing";
        EXPECT_NEAR(easing::sineInOut(t) + easing::sineInOut(1 - t), 1.f, 1e-5f);
        EXPECT_NEAR(easing::elasticInOut(t, 0.45f) + easing::elasticInOut(1 - t, 0.45f), 1.f, 1e-4f);
    }
    EXPECT_LT(easing::rateIn(0.5f, 2), 0.5f);
    EXPECT_GT(easing::rateOut(0.5f, 2), 0.5f);
}

TEST_F(EaseActionTest, ElasticOutOvershootsThenSettlesOnTheEnd) {
    CCNode* node = makeNode();
    CCEaseElasticOut* ease = CCEaseElasticOut::create(CCMoveTo::create(2.0f, ccp(100, 0)), 0.35f);
    EXPECT_FLOAT_EQ(ease->getPeriod(), 0.35f);
    run(ease, node);
    float highest = 0;
    int firstPast = 0;
    for (int i = 1; i < 120; ++i) {
        frames(1);
        highest = std::max(highest, node->getPositionX());
        if (!firstPast && node->getPositionX() > 100) firstPast = i;
    }
    EXPECT_GT(highest, 110.f) << "an elastic ease swings past its end";
    EXPECT_GT(firstPast, 0);
    EXPECT_LT(firstPast, 30) << "it gets there early and swings back";
    frames(1);
    EXPECT_EQ(node->getPositionX(), 100.f);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
}

TEST_F(EaseActionTest, ElasticInUndershootsFirst) {
    CCNode* node = makeNode(50, 0);
    run(CCEaseElasticIn::create(CCMoveBy::create(1.0f, ccp(100, 0))), node);
    float lowest = 50;
    for (int i = 0; i < 60; ++i) {
        frames(1);
        lowest = std::min(lowest, node->getPositionX());
    }
    EXPECT_LT(lowest, 45.f);
    EXPECT_NEAR(node->getPositionX(), 150.f, 1e-4f);
}

TEST_F(EaseActionTest, DefaultsAndRefusedParameters) {
    CCEaseElasticOut* ease = CCEaseElasticOut::create(CCDelayTime::create(1));
    EXPECT_FLOAT_EQ(ease->getPeriod(), 0.3f);
    setLogQuiet(true);
    ease->setPeriod(0);
    EXPECT_FLOAT_EQ(ease->getPeriod(), 0.3f);
    CCEaseInOut* inOut = CCEaseInOut::create(CCDelayTime::create(1), -2);
    EXPECT_EQ(inOut->getRate(), 1.f) << "a rate that is not positive means no easing";
    EXPECT_EQ(CCEaseIn::create(nullptr, 2), nullptr);
    EXPECT_EQ(CCEaseElasticOut::create(nullptr), nullptr);
    setLogQuiet(false);
    EXPECT_FLOAT_EQ(CCEaseInOut::create(CCDelayTime::create(2.5f), 2)->getDuration(), 2.5f);
}

TEST_F(EaseActionTest, ReversesEaseTheReversedAction) {
    CCNode* node = makeNode();
    CCEaseInOut* there = CCEaseInOut::create(CCMoveBy::create(1.0f, ccp(80, 0)), 3.0f);
    auto* back = keep(dynamic_cast<CCEaseInOut*>(there->reverse()));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->getRate(), 3.0f);
    ASSERT_NE(dynamic_cast<CCMoveBy*>(back->getInnerAction()), nullptr);

    auto* in = dynamic_cast<CCEaseIn*>(CCEaseIn::create(CCMoveBy::create(1, ccp(1, 0)), 2)->reverse());
    ASSERT_NE(in, nullptr);
    EXPECT_FLOAT_EQ(in->getRate(), 0.5f);
    auto* elastic = dynamic_cast<CCEaseElasticIn*>(CCEaseElasticOut::create(CCMoveBy::create(1, ccp(1, 0)), 0.4f)->reverse());
    ASSERT_NE(elastic, nullptr);
    EXPECT_FLOAT_EQ(elastic->getPeriod(), 0.4f);
    EXPECT_NE(dynamic_cast<CCEaseSineIn*>(CCEaseSineOut::create(CCDelayTime::create(1))->reverse()), nullptr);

    run(there, node);
    frames(60);
    EXPECT_EQ(node->getPositionX(), 80.f);
    run(back, node);
    frames(30);
    EXPECT_NEAR(node->getPositionX(), 40.f, 1e-3f);
    frames(30);
    EXPECT_NEAR(node->getPositionX(), 0.f, 1e-4f);

    setLogQuiet(true);
    EXPECT_EQ(CCEaseInOut::create(CCMoveTo::create(1, ccp(1, 1)), 2)->reverse(), nullptr);
    setLogQuiet(false);
}

TEST_F(EaseActionTest, CopyOfAnEaseCopiesItsInnerAction) {
    CCNode* a = makeNode(0, 0);
    CCNode* b = makeNode(0, 0);
    CCEaseOut* ease = CCEaseOut::create(CCMoveBy::create(1.0f, ccp(100, 0)), 2.0f);
    CCEaseOut* twin = ease->copy();
    ASSERT_NE(twin, nullptr);
    EXPECT_NE(twin->getInnerAction(), ease->getInnerAction());
    EXPECT_EQ(twin->getRate(), 2.0f);
    run(ease, a);
    frames(20);
    run(twin, b);
    twin->release();
    frames(20);
    EXPECT_NEAR(b->getPositionX(), 100 * easing::rateOut(20 / 60.f, 2), 1e-3f);
    EXPECT_NEAR(a->getPositionX(), 100 * easing::rateOut(40 / 60.f, 2), 1e-3f);
}

TEST_F(EaseActionTest, SwingingEaseAroundASequenceKeepsEachActionInItsPlace) {
    // The elastic swing takes the time back and forth across the sequence's split and end:
    // the first move must be taken up where it was, the callback must not fire again.
    CCNode* node = makeNode();
    int calls = 0;
    CCSequence* seq = CCSequence::create(CCMoveBy::create(0.9f, ccp(90, 0)), CCMoveBy::create(0.1f, ccp(0, 10)),
                                         CCCallFunc::create([&] { ++calls; }), nullptr);
    run(CCEaseElasticOut::create(seq, 0.3f), node);
    int crossings = 0;
    bool wasPast = false;
    for (int i = 0; i < 60; ++i) {
        frames(1);
        float x = node->getPositionX();
        float y = node->getPositionY();
        ASSERT_LE(x, 90.f + 1e-4f) << "frame " << i;
        if (y > 1e-3f) {
            ASSERT_NEAR(x, 90.f, 1e-4f) << "the second move runs only after the first ended";
        }
        bool past = y > 1e-3f;
        if (past != wasPast) ++crossings;
        wasPast = past;
    }
    EXPECT_GE(crossings, 3) << "the swing crossed the split more than once";
    EXPECT_EQ(calls, 1);
    EXPECT_NEAR(node->getPositionX(), 90.f, 1e-4f);
    EXPECT_NEAR(node->getPositionY(), 10.f, 1e-4f);
}
