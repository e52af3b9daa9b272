// The combinators of timed actions: sequences, spawns, repeats, endless repeats and speed.
//
// Inner actions may run user code (callbacks) that stops the combinator, or deletes its
// target; stop() nulls m_pTarget, so after every inner update a null target means "stop here".
#include <cmath>
#include <vector>

#include "engine/actions/CCActionInstant.h"
#include "engine/actions/CCActionInterval.h"
#include "engine/base/CCArray.h"
#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"

namespace engine {

namespace {

std::vector<CCFiniteTimeAction*> collect(CCFiniteTimeAction* first, va_list args) {
    std::vector<CCFiniteTimeAction*> list;
    for (CCFiniteTimeAction* a = first; a; a = va_arg(args, CCFiniteTimeAction*)) list.push_back(a);
    return list;
}

std::vector<CCFiniteTimeAction*> collect(CCArray* actions, const char* who) {
    std::vector<CCFiniteTimeAction*> list;
    if (!actions) return list;
    for (CCObject* o : *actions) {
        if (auto* a = dynamic_cast<CCFiniteTimeAction*>(o))
            list.push_back(a);
        else
            CCLog("%s: skipping an array entry that is not a timed action", who);
    }
    return list;
}

// Folds a list into left-nested pairs: ((a, b), c) ...; a single action gets a no-op partner.
template <typename Pair>
Pair* nest(const std::vector<CCFiniteTimeAction*>& list, const char* who) {
    if (list.empty()) {
        CCLog("%s: no actions given", who);
        return nullptr;
    }
    if (list.size() == 1) return Pair::createWithTwoActions(list[0], CCActionInstant::create());
    Pair* pair = Pair::createWithTwoActions(list[0], list[1]);
    for (size_t i = 2; i < list.size() && pair; ++i) pair = Pair::createWithTwoActions(pair, list[i]);
    return pair;
}

// copy() hands back a +1 reference; the new owner takes its own.
template <typename T>
T* copyOf(T* action) {
    return action ? static_cast<T*>(action->copy()) : nullptr;
}

}  // namespace

// --- CCSequence -----------------------------------------------------------------------

CCSequence::~CCSequence() {
    safeRelease(m_pActions[0]);
    safeRelease(m_pActions[1]);
}

CCSequence* CCSequence::create(CCFiniteTimeAction* first, ...) {
    va_list args;
    va_start(args, first);
    CCSequence* sequence = createWithVariableList(first, args);
    va_end(args);
    return sequence;
}

CCSequence* CCSequence::createWithVariableList(CCFiniteTimeAction* first, va_list args) {
    return nest<CCSequence>(collect(first, args), "CCSequence");
}

CCSequence* CCSequence::create(CCArray* actions) {
    return nest<CCSequence>(collect(actions, "CCSequence"), "CCSequence");
}

CCSequence* CCSequence::createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    auto* sequence = new CCSequence();
    return autoreleasedOrNull(sequence, sequence->initWithTwoActions(one, two));
}

bool CCSequence::initWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    if (!one || !two) {
        CCLog("CCSequence: both actions are needed");
        return false;
    }
    CCActionInterval::initWithDuration(one->getDuration() + two->getDuration());
    assignRetained(m_pActions[0], one);
    assignRetained(m_pActions[1], two);
    return true;
}

void CCSequence::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    // A sequence of zero duration splits at 0: both actions run on its only update.
    m_split = m_fDuration > 0 ? m_pActions[0]->getDuration() / m_fDuration : 0;
    m_last = -1;
    m_started[0] = m_started[1] = false;
    m_fired[0] = m_fired[1] = false;
}

void CCSequence::stop() {
    // The first action is only stopped here, not when the second takes over: an elastic ease
    // around the sequence may take the time back into it.
    for (int i = 0; i < 2; ++i)
        if (m_started[i]) m_pActions[i]->stop();
    m_started[0] = m_started[1] = false;
    CCActionInterval::stop();
}

bool CCSequence::play(int i, float time) {
    CCFiniteTimeAction* action = m_pActions[i];
    if (!m_started[i]) {
        action->startWithTarget(m_pTarget);
        m_started[i] = true;
    }
    if (action->getDuration() <= 0) {
        // Callbacks and other instant actions fire exactly once per run.
        if (m_fired[i]) return true;
        m_fired[i] = true;
        time = 1;
    }
    action->update(time);
    return m_pTarget != nullptr;
}

void CCSequence::update(float time) {
    if (!m_pTarget) return;
    int found;
    float local;
    if (time < m_split) {
        found = 0;
        local = m_split > 0 ? time / m_split : 1;
    } else {
        found = 1;
        local = m_split >= 1 ? 1 : (time - m_split) / (1 - m_split);
    }
    if (found == 1 && m_last != 1) {
        // The first action gets its end, even when a long frame skipped over all of it.
        if (!play(0, 1)) return;
    } else if (found == 0 && m_last == 1) {
        // Time ran backwards (an ease that swings): take the second action back to its start.
        if (!play(1, 0)) return;
    }
    m_last = found;
    play(found, local);
}

CCActionInterval* CCSequence::reverse() {
    CCFiniteTimeAction* second = m_pActions[1]->reverse();
    CCFiniteTimeAction* first = m_pActions[0]->reverse();
    if (!first || !second) {
        CCLog("CCSequence: an action in the sequence has no reverse");
        return nullptr;
    }
    return createWithTwoActions(second, first);
}

CCSequence* CCSequence::copy() {
    CCFiniteTimeAction* one = copyOf(m_pActions[0]);
    CCFiniteTimeAction* two = copyOf(m_pActions[1]);
    CCSequence* sequence = nullptr;
    if (one && two) {
        sequence = new CCSequence();
        sequence->initWithTwoActions(one, two);
    }
    safeRelease(one);
    safeRelease(two);
    return sequence;
}

// --- CCSpawn --------------------------------------------------------------------------

CCSpawn::~CCSpawn() {
    safeRelease(m_pOne);
    safeRelease(m_pTwo);
}

CCSpawn* CCSpawn::create(CCFiniteTimeAction* first, ...) {
    va_list args;
    va_start(args, first);
    CCSpawn* spawn = createWithVariableList(first, args);
    va_end(args);
    return spawn;
}

CCSpawn* CCSpawn::createWithVariableList(CCFiniteTimeAction* first, va_list args) {
    return nest<CCSpawn>(collect(first, args), "CCSpawn");
}

CCSpawn* CCSpawn::create(CCArray* actions) { return nest<CCSpawn>(collect(actions, "CCSpawn"), "CCSpawn"); }

CCSpawn* CCSpawn::createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    auto* spawn = new CCSpawn();
    return autoreleasedOrNull(spawn, spawn->initWithTwoActions(one, two));
}

bool CCSpawn::initWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    if (!one || !two) {
        CCLog("CCSpawn: both actions are needed");
        return false;
    }
    float d1 = one->getDuration();
    float d2 = two->getDuration();
    CCActionInterval::initWithDuration(std::max(d1, d2));
    // Both halves then share one ratio: the shorter one finishes and waits.
    if (d1 > d2)
        two = CCSequence::createWithTwoActions(two, CCDelayTime::create(d1 - d2));
    else if (d2 > d1)
        one = CCSequence::createWithTwoActions(one, CCDelayTime::create(d2 - d1));
    if (!one || !two) return false;
    assignRetained(m_pOne, one);
    assignRetained(m_pTwo, two);
    return true;
}

void CCSpawn::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_pOne->startWithTarget(target);
    m_pTwo->startWithTarget(target);
}

void CCSpawn::stop() {
    m_pOne->stop();
    m_pTwo->stop();
    CCActionInterval::stop();
}

void CCSpawn::update(float time) {
    if (!m_pTarget) return;
    m_pOne->update(time);
    if (!m_pTarget) return;
    m_pTwo->update(time);
}

CCActionInterval* CCSpawn::reverse() {
    CCFiniteTimeAction* one = m_pOne->reverse();
    CCFiniteTimeAction* two = m_pTwo->reverse();
    if (!one || !two) {
        CCLog("CCSpawn: an action in the spawn has no reverse");
        return nullptr;
    }
    return createWithTwoActions(one, two);
}

CCSpawn* CCSpawn::copy() {
    CCFiniteTimeAction* one = copyOf(m_pOne);
    CCFiniteTimeAction* two = copyOf(m_pTwo);
    CCSpawn* spawn = nullptr;
    if (one && two) {
        spawn = new CCSpawn();
        if (!spawn->initWithTwoActions(one, two)) safeRelease(spawn);
    }
    safeRelease(one);
    safeRelease(two);
    return spawn;
}

// --- CCRepeat -------------------------------------------------------------------------

CCRepeat::~CCRepeat() { safeRelease(m_pInnerAction); }

CCRepeat* CCRepeat::create(CCFiniteTimeAction* action, unsigned int times) {
    auto* repeat = new CCRepeat();
    return autoreleasedOrNull(repeat, repeat->initWithAction(action, times));
}

bool CCRepeat::initWithAction(CCFiniteTimeAction* action, unsigned int times) {
    if (!action) {
        CCLog("CCRepeat: no action to repeat");
        return false;
    }
    CCActionInterval::initWithDuration(action->getDuration() * static_cast<float>(times));
    assignRetained(m_pInnerAction, action);
    m_uTimes = times;
    return true;
}

void CCRepeat::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_uTotal = 0;
    m_bInnerRunning = false;
}

void CCRepeat::stop() {
    if (m_bInnerRunning) m_pInnerAction->stop();
    m_bInnerRunning = false;
    CCActionInterval::stop();
}

void CCRepeat::update(float time) {
    if (!m_pTarget || m_uTimes == 0) return;
    // Position in loops; every loop passed since the last update still gets its end.
    double loops = static_cast<double>(time) * m_uTimes;
    unsigned int complete =
        time >= 1 ? m_uTimes : static_cast<unsigned int>(std::min<double>(std::floor(loops), m_uTimes));
    while (m_uTotal < complete) {
        if (!m_bInnerRunning) {
            m_pInnerAction->startWithTarget(m_pTarget);
            m_bInnerRunning = true;
        }
        m_pInnerAction->update(1);
        if (!m_pTarget) return;
        m_pInnerAction->stop();
        m_bInnerRunning = false;
        ++m_uTotal;
    }
    if (m_uTotal >= m_uTimes) return;
    if (!m_bInnerRunning) {
        m_pInnerAction->startWithTarget(m_pTarget);
        m_bInnerRunning = true;
    }
    m_pInnerAction->update(static_cast<float>(loops - m_uTotal));
}

CCActionInterval* CCRepeat::reverse() {
    CCFiniteTimeAction* inner = m_pInnerAction->reverse();
    if (!inner) return nullptr;
    return create(inner, m_uTimes);
}

CCRepeat* CCRepeat::copy() {
    CCFiniteTimeAction* inner = copyOf(m_pInnerAction);
    CCRepeat* repeat = nullptr;
    if (inner) {
        repeat = new CCRepeat();
        repeat->initWithAction(inner, m_uTimes);
    }
    safeRelease(inner);
    return repeat;
}

// --- CCRepeatForever ------------------------------------------------------------------

CCRepeatForever::~CCRepeatForever() { safeRelease(m_pInnerAction); }

CCRepeatForever* CCRepeatForever::create(CCActionInterval* action) {
    auto* repeat = new CCRepeatForever();
    return autoreleasedOrNull(repeat, repeat->initWithAction(action));
}

bool CCRepeatForever::initWithAction(CCActionInterval* action) {
    if (!action) {
        CCLog("CCRepeatForever: no action to repeat");
        return false;
    }
    assignRetained(m_pInnerAction, action);
    return true;
}

void CCRepeatForever::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_pInnerAction->startWithTarget(target);
}

void CCRepeatForever::stop() {
    m_pInnerAction->stop();
    CCActionInterval::stop();
}

void CCRepeatForever::step(float dt) {
    if (!m_pTarget) return;
    m_pInnerAction->step(dt);
    // A long frame may cover several short loops; the bound keeps a tiny inner duration
    // from turning one frame into a near-endless loop.
    for (int loops = 0; loops < 1000 && m_pTarget && m_pInnerAction->isDone(); ++loops) {
        double overshoot = m_pInnerAction->m_elapsed - static_cast<double>(m_pInnerAction->getDuration());
        m_pInnerAction->stop();
        m_pInnerAction->startWithTarget(m_pTarget);
        // A loop of zero duration runs once per frame.
        if (m_pInnerAction->getDuration() <= 0) break;
        m_pInnerAction->step(static_cast<float>(overshoot));
    }
}

CCActionInterval* CCRepeatForever::reverse() {
    CCActionInterval* inner = m_pInnerAction->reverse();
    return inner ? create(inner) : nullptr;
}

CCRepeatForever* CCRepeatForever::copy() {
    CCActionInterval* inner = copyOf(m_pInnerAction);
    CCRepeatForever* repeat = nullptr;
    if (inner) {
        repeat = new CCRepeatForever();
        repeat->initWithAction(inner);
    }
    safeRelease(inner);
    return repeat;
}

// --- CCSpeed --------------------------------------------------------------------------

CCSpeed::~CCSpeed() { safeRelease(m_pInnerAction); }

CCSpeed* CCSpeed::create(CCActionInterval* action, float speed) {
    auto* result = new CCSpeed();
    return autoreleasedOrNull(result, result->initWithAction(action, speed));
}

bool CCSpeed::initWithAction(CCActionInterval* action, float speed) {
    if (!action) {
        CCLog("CCSpeed: no action to play");
        return false;
    }
    assignRetained(m_pInnerAction, action);
    setSpeed(speed);
    return true;
}

void CCSpeed::setSpeed(float speed) {
    if (!std::isfinite(speed) || speed < 0) {
        CCLog("CCSpeed: speed %f refused", static_cast<double>(speed));
        return;
    }
    m_fSpeed = speed;
}

bool CCSpeed::isDone() { return m_pInnerAction->isDone(); }

void CCSpeed::startWithTarget(CCNode* target) {
    CCAction::startWithTarget(target);
    m_pInnerAction->startWithTarget(target);
}

void CCSpeed::stop() {
    m_pInnerAction->stop();
    CCAction::stop();
}

void CCSpeed::step(float dt) {
    if (m_pTarget) m_pInnerAction->step(dt * m_fSpeed);
}

CCSpeed* CCSpeed::reverse() {
    CCActionInterval* inner = m_pInnerAction->reverse();
    return inner ? create(inner, m_fSpeed) : nullptr;
}

CCSpeed* CCSpeed::copy() {
    CCActionInterval* inner = copyOf(m_pInnerAction);
    CCSpeed* result = nullptr;
    if (inner) {
        result = new CCSpeed();
        result->initWithAction(inner, m_fSpeed);
    }
    safeRelease(inner);
    return result;
}

}  // namespace engine
