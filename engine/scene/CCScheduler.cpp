// CCScheduler: per-frame update targets by priority and interval timers per target.
//
// Entries are never erased while the scheduler is walking them: removal marks them and the
// walk skips marked entries, so a callback may unschedule itself, another target, or
// schedule new work, and a target deleted during the frame is never called again.
#include "engine/scene/CCScheduler.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace engine {

CCScheduler::CCScheduler() = default;

CCScheduler::~CCScheduler() { unscheduleAll(); }

CCScheduler::UpdateEntry* CCScheduler::findUpdate(const CCObject* target) const {
    for (const auto& e : m_updates)
        if (e->target == target && !e->removed) return e.get();
    return nullptr;
}

CCScheduler::TimerTarget* CCScheduler::findTimers(const CCObject* target) const {
    for (const auto& t : m_timerTargets)
        if (t->target == target && !t->removed) return t.get();
    return nullptr;
}

void CCScheduler::scheduleUpdateForTarget(CCObject* target, int priority, bool paused) {
    if (!target) return;
    if (UpdateEntry* e = findUpdate(target)) {
        e->paused = paused;
        return;
    }
    auto entry = std::make_shared<UpdateEntry>(UpdateEntry{target, priority, paused, false});
    // Stable: after every entry of the same or lower priority.
    auto it = m_updates.begin();
    while (it != m_updates.end() && (*it)->priority <= priority) ++it;
    m_updates.insert(it, entry);
    // A target paused as a whole keeps its new update paused too.
    if (TimerTarget* t = findTimers(target)) entry->paused = entry->paused || t->paused;
}

void CCScheduler::unscheduleUpdateForTarget(const CCObject* target) {
    if (UpdateEntry* e = findUpdate(target)) e->removed = true;
    if (!m_bUpdating) purgeRemoved();
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, bool paused) {
    scheduleSelector(selector, target, interval, kCCRepeatForever, 0.0f, paused);
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, unsigned int repeat,
                                   float delay, bool paused) {
    if (!selector || !target) return;
    if (!(interval >= 0) || !std::isfinite(interval)) interval = 0;
    if (!(delay >= 0) || !std::isfinite(delay)) delay = 0;
    TimerTarget* tt = findTimers(target);
    if (!tt) {
        auto created = std::make_shared<TimerTarget>();
        created->target = target;
        created->paused = paused;
        created->removed = false;
        m_timerTargets.push_back(created);
        tt = created.get();
    }
    for (auto& timer : tt->timers) {
        if (!timer->removed && timer->selector == selector) {
            // Already scheduled: only the interval changes.
            timer->interval = interval;
            return;
        }
    }
    auto timer = std::make_shared<Timer>();
    timer->selector = selector;
    timer->interval = interval;
    timer->elapsed = -1;
    timer->repeat = repeat;
    timer->timesExecuted = 0;
    timer->delay = delay;
    timer->useDelay = delay > 0;
    timer->removed = false;
    tt->timers.push_back(timer);
}

void CCScheduler::unscheduleSelector(SEL_SCHEDULE selector, CCObject* target) {
    TimerTarget* tt = findTimers(target);
    if (!tt) return;
    for (auto& timer : tt->timers)
        if (timer->selector == selector) timer->removed = true;
    if (!m_bUpdating) purgeRemoved();
}

bool CCScheduler::isScheduled(SEL_SCHEDULE selector, CCObject* target) const {
    TimerTarget* tt = findTimers(target);
    if (!tt) return false;
    for (const auto& timer : tt->timers)
        if (!timer->removed && timer->selector == selector) return true;
    return false;
}

void CCScheduler::unscheduleAllForTarget(CCObject* target) {
    if (!target) return;
    if (TimerTarget* tt = findTimers(target)) {
        for (auto& timer : tt->timers) timer->removed = true;
        tt->removed = true;
    }
    if (UpdateEntry* e = findUpdate(target)) e->removed = true;
    if (!m_bUpdating) purgeRemoved();
}

void CCScheduler::unscheduleAll() {
    for (auto& e : m_updates) e->removed = true;
    for (auto& tt : m_timerTargets) {
        tt->removed = true;
        for (auto& timer : tt->timers) timer->removed = true;
    }
    if (!m_bUpdating) purgeRemoved();
}

void CCScheduler::pauseTarget(CCObject* target) {
    if (TimerTarget* tt = findTimers(target)) tt->paused = true;
    if (UpdateEntry* e = findUpdate(target)) e->paused = true;
}

void CCScheduler::resumeTarget(CCObject* target) {
    if (TimerTarget* tt = findTimers(target)) tt->paused = false;
    if (UpdateEntry* e = findUpdate(target)) e->paused = false;
}

bool CCScheduler::isTargetPaused(CCObject* target) const {
    if (TimerTarget* tt = findTimers(target)) return tt->paused;
    if (UpdateEntry* e = findUpdate(target)) return e->paused;
    return false;
}

void CCScheduler::purgeRemoved() {
    m_updates.remove_if([](const std::shared_ptr<UpdateEntry>& e) { return e->removed; });
    for (auto& tt : m_timerTargets) {
        tt->timers.erase(std::remove_if(tt->timers.begin(), tt->timers.end(),
                                        [](const std::shared_ptr<Timer>& t) { return t->removed; }),
                         tt->timers.end());
        if (tt->timers.empty()) tt->removed = true;
    }
    m_timerTargets.erase(std::remove_if(m_timerTargets.begin(), m_timerTargets.end(),
                                        [](const std::shared_ptr<TimerTarget>& t) { return t->removed; }),
                         m_timerTargets.end());
}

void CCScheduler::update(float dt) {
    if (m_bUpdating) return;  // a nested frame from inside a callback would double-step everything
    m_bUpdating = true;
    if (m_fTimeScale != 1.0f) dt *= m_fTimeScale;

    // Updates: a snapshot of the entries, each checked again just before its call.
    std::vector<std::shared_ptr<UpdateEntry>> updates(m_updates.begin(), m_updates.end());
    for (auto& e : updates)
        if (!e->removed && !e->paused) e->target->update(dt);

    // Timers, target by target, in the order the targets were first scheduled.
    std::vector<std::shared_ptr<TimerTarget>> targets(m_timerTargets);
    for (auto& tt : targets) {
        if (tt->removed || tt->paused) continue;
        std::vector<std::shared_ptr<Timer>> timers(tt->timers);
        for (auto& timer : timers) {
            if (timer->removed || tt->removed || tt->paused) continue;
            if (timer->elapsed < 0) {
                // First frame after scheduling starts the clock.
                timer->elapsed = 0;
                timer->timesExecuted = 0;
                continue;
            }
            timer->elapsed += dt;
            bool fire = false;
            float reported = timer->elapsed;
            if (timer->useDelay) {
                if (timer->elapsed >= timer->delay) {
                    fire = true;
                    timer->elapsed -= timer->delay;
                    timer->useDelay = false;
                }
            } else if (timer->elapsed >= timer->interval) {
                fire = true;
                timer->elapsed = timer->interval > 0 ? timer->elapsed - timer->interval : 0;
            }
            if (!fire) continue;
            bool last = timer->repeat != kCCRepeatForever && timer->timesExecuted >= timer->repeat;
            ++timer->timesExecuted;
            if (last) timer->removed = true;
            (tt->target->*(timer->selector))(reported);
        }
    }

    m_bUpdating = false;
    purgeRemoved();
}

bool CCScheduler::runsEveryFrame(const CCObject* except) const {
    for (const auto& e : m_updates)
        if (!e->removed && !e->paused && e->target != except) return true;
    for (const auto& tt : m_timerTargets) {
        if (tt->removed || tt->paused) continue;
        for (const auto& t : tt->timers)
            if (!t->removed && !t->useDelay && t->interval <= 0) return true;
    }
    return false;
}

double CCScheduler::secondsUntilNextTimer() const {
    const double never = std::numeric_limits<double>::infinity();
    double soonest = never;
    for (const auto& tt : m_timerTargets) {
        if (tt->removed || tt->paused) continue;
        for (const auto& t : tt->timers) {
            if (t->removed) continue;
            if (t->elapsed < 0) return 0;
            if (!t->useDelay && t->interval <= 0) continue;  // every frame: runsEveryFrame's case
            const double period = t->useDelay ? t->delay : t->interval;
            soonest = std::min(soonest, std::max(0.0, period - double(t->elapsed)));
        }
    }
    // The clock runs m_fTimeScale times as fast as real time; a stopped one fires nothing.
    if (!(m_fTimeScale > 0)) return never;
    return soonest / double(m_fTimeScale);
}

size_t CCScheduler::updateTargetCount() const {
    size_t n = 0;
    for (const auto& e : m_updates) n += !e->removed;
    return n;
}

size_t CCScheduler::timerCount(CCObject* target) const {
    TimerTarget* tt = findTimers(target);
    if (!tt) return 0;
    size_t n = 0;
    for (const auto& t : tt->timers) n += !t->removed;
    return n;
}

}  // namespace engine
