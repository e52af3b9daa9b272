// The scheduler: update order by priority, intervals, re-scheduling and unscheduling from callbacks.
#include <gtest/gtest.h>

#include <vector>

#include "engine/engine.h"

using namespace engine;

namespace {

struct Target : CCObject {
    std::vector<float> calls;
    std::vector<int>* order = nullptr;
    int id = 0;
    CCScheduler* scheduler = nullptr;
    int stopAfter = -1;
    void update(float dt) override {
        calls.push_back(dt);
        if (order) order->push_back(id);
    }
    void tick(float dt) {
        calls.push_back(dt);
        if (stopAfter >= 0 && static_cast<int>(calls.size()) >= stopAfter)
            scheduler->unscheduleSelector(schedule_selector(Target::tick), this);
    }
    void other(float) {}
};

const float kTick = 1.0f / 60.0f;

void run(CCScheduler& s, int frames, float dt = kTick) {
    for (int i = 0; i < frames; ++i) s.update(dt);
}

}  // namespace

TEST(Scheduler, UpdatesRunByPriorityAndStableWithinOne) {
    CCScheduler s;
    std::vector<int> order;
    Target a, b, c, d;
    int id = 0;
    for (Target* t : {&a, &b, &c, &d}) {
        t->order = &order;
        t->id = ++id;
    }
    s.scheduleUpdateForTarget(&a, 0, false);
    s.scheduleUpdateForTarget(&b, -5, false);
    s.scheduleUpdateForTarget(&c, 0, false);
    s.scheduleUpdateForTarget(&d, 10, false);
    s.update(kTick);
    EXPECT_EQ(order, (std::vector<int>{2, 1, 3, 4}));
    s.unscheduleAll();
}

TEST(Scheduler, IntervalTimerFiresOncePerInterval) {
    CCScheduler s;
    Target t;
    t.scheduler = &s;
    s.scheduleSelector(schedule_selector(Target::tick), &t, 0.3f, false);
    // The first frame starts the clock; then 0.3 s is 18 frames.
    run(s, 1);
    run(s, 17);
    EXPECT_EQ(t.calls.size(), 0u);
    run(s, 2);
    EXPECT_EQ(t.calls.size(), 1u);
    run(s, 19);
    EXPECT_EQ(t.calls.size(), 2u);
    s.unscheduleAll();
}

TEST(Scheduler, SchedulingAgainChangesOnlyTheInterval) {
    CCScheduler s;
    Target t;
    t.scheduler = &s;
    s.scheduleSelector(schedule_selector(Target::tick), &t, 1.0f, false);
    s.scheduleSelector(schedule_selector(Target::tick), &t, 0.1f, false);
    EXPECT_EQ(s.timerCount(&t), 1u);
    run(s, 1);
    run(s, 61);  // a little over one second at the new interval of 0.1 s
    EXPECT_GE(t.calls.size(), 9u);
    EXPECT_LE(t.calls.size(), 11u);
    s.unscheduleAll();
}

TEST(Scheduler, TimerCanUnscheduleItselfInItsCallback) {
    CCScheduler s;
    Target t;
    t.scheduler = &s;
    t.stopAfter = 3;
    s.scheduleSelector(schedule_selector(Target::tick), &t, 0.0f, false);
    run(s, 20);
    EXPECT_EQ(t.calls.size(), 3u);
    EXPECT_FALSE(s.isScheduled(schedule_selector(Target::tick), &t));
}

TEST(Scheduler, UnschedulingAnotherTargetMidFrameSkipsIt) {
    struct Killer : CCObject {
        CCScheduler* s;
        CCObject* victim;
        void update(float) override { s->unscheduleUpdateForTarget(victim); }
    };
    CCScheduler s;
    Target victim;
    Killer k;
    k.s = &s;
    k.victim = &victim;
    s.scheduleUpdateForTarget(&k, -1, false);
    s.scheduleUpdateForTarget(&victim, 0, false);
    run(s, 3);
    EXPECT_TRUE(victim.calls.empty());
    s.unscheduleAll();
}

TEST(Scheduler, PausedTargetsWaitAndRepeatCountIsHonoured) {
    CCScheduler s;
    Target t;
    s.scheduleSelector(schedule_selector(Target::tick), &t, 0.0f, 2, 0.0f, false);  // 3 calls
    s.pauseTarget(&t);
    run(s, 5);
    EXPECT_TRUE(t.calls.empty());
    EXPECT_TRUE(s.isTargetPaused(&t));
    s.resumeTarget(&t);
    run(s, 10);
    EXPECT_EQ(t.calls.size(), 3u);
}

TEST(Scheduler, DelayedOnceTimerFiresOnceAfterItsDelay) {
    CCScheduler s;
    Target t;
    s.scheduleSelector(schedule_selector(Target::tick), &t, 0.0f, 0, 0.5f, false);
    run(s, 1);
    run(s, 29);
    EXPECT_TRUE(t.calls.empty());
    run(s, 2);
    EXPECT_EQ(t.calls.size(), 1u);
    run(s, 60);
    EXPECT_EQ(t.calls.size(), 1u);
}
