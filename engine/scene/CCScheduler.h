// Frame-driven callbacks: per-frame updates in priority order and timed selectors per target.
#pragma once

#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/base/CCObject.h"

namespace engine {

// Priority of the engine's own update targets (the action manager): before everything else.
enum { kCCPrioritySystem = -2147483647 - 1 };
const unsigned int kCCRepeatForever = 0xfffffffe;

class CCScheduler : public CCObject {
public:
    CCScheduler();
    ~CCScheduler() override;

    float getTimeScale() const { return m_fTimeScale; }
    void setTimeScale(float scale) { m_fTimeScale = scale; }

    // Calls target->update(dt) every frame; lower priorities first. A target already
    // scheduled keeps its first priority.
    void scheduleUpdateForTarget(CCObject* target, int priority, bool paused);
    void unscheduleUpdateForTarget(const CCObject* target);

    // Calls (target->*selector)(elapsed) every interval seconds (every frame for 0), repeat + 1
    // times (kCCRepeatForever for ever), first after delay. Scheduling a scheduled selector
    // again only changes its interval.
    void scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, unsigned int repeat,
                          float delay, bool paused);
    void scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, bool paused);
    void unscheduleSelector(SEL_SCHEDULE selector, CCObject* target);
    bool isScheduled(SEL_SCHEDULE selector, CCObject* target) const;

    void unscheduleAllForTarget(CCObject* target);
    void unscheduleAll();

    void pauseTarget(CCObject* target);
    void resumeTarget(CCObject* target);
    bool isTargetPaused(CCObject* target) const;

    // One frame: updates by priority, then the timers, in the order they were scheduled.
    void update(float dt) override;

    // For a main loop that sleeps while nothing is due. runsEveryFrame: an unpaused update
    // target other than except, or an unpaused timer of interval 0. secondsUntilNextTimer: real
    // time until the nearest other unpaused timer fires (0 for one waiting for its first frame,
    // infinity when there is none).
    bool runsEveryFrame(const CCObject* except) const;
    double secondsUntilNextTimer() const;

    // Counts, for tests and diagnostics.
    size_t updateTargetCount() const;
    size_t timerCount(CCObject* target) const;

private:
    struct UpdateEntry {
        CCObject* target;
        int priority;
        bool paused;
        bool removed;
    };
    struct Timer {
        SEL_SCHEDULE selector;
        float interval;
        float elapsed;  // -1 until the first frame after scheduling
        unsigned int repeat;
        unsigned int timesExecuted;
        float delay;
        bool useDelay;
        bool removed;
    };
    struct TimerTarget {
        CCObject* target;
        bool paused;
        bool removed;
        std::vector<std::shared_ptr<Timer>> timers;
    };

    UpdateEntry* findUpdate(const CCObject* target) const;
    TimerTarget* findTimers(const CCObject* target) const;
    void purgeRemoved();

    float m_fTimeScale = 1.0f;
    std::list<std::shared_ptr<UpdateEntry>> m_updates;  // sorted by priority, stable
    std::vector<std::shared_ptr<TimerTarget>> m_timerTargets;
    bool m_bUpdating = false;
};

}  // namespace engine
