// Timed actions: the interval clock, delays, property tweens, and the combinators built on them.
//
// Index:
//   - CCActionInterval: elapsed time and the ratio handed to update()
//   - CCDelayTime
//   - tweens (CCActionInterval.cpp): CCMoveBy/CCMoveTo, CCScaleTo/CCScaleBy, CCRotateTo/CCRotateBy,
//     CCFadeTo/CCFadeIn/CCFadeOut, CCTintTo
//   - combinators (CCActionComposite.cpp): CCSequence, CCSpawn, CCRepeat, CCRepeatForever, CCSpeed
#pragma once

#include <cstdarg>

#include "engine/scene/CCAction.h"
#include "engine/base/CCGeometry.h"
#include "engine/base/ccTypes.h"

namespace engine {

class CCArray;

// The clock of every timed action. The first step after startWithTarget already counts its
// dt, so an action of d seconds run at 60 frames per second is at its end after exactly
// d * 60 frames; a duration of 0 completes on its first step.
class CCActionInterval : public CCFiniteTimeAction {
public:
    static CCActionInterval* create(float duration);
    // Negative or non-numeric durations become 0.
    bool initWithDuration(float duration);

    float getElapsed() const { return static_cast<float>(m_elapsed); }
    bool isDone() override;
    void startWithTarget(CCNode* target) override;
    // Advances the clock and calls update() with elapsed / duration clamped to [0, 1].
    void step(float dt) override;
    CCActionInterval* reverse() override;
    CCActionInterval* copy() override;

protected:
    // Double, so that long or endlessly repeated runs of float frame times do not drift.
    double m_elapsed = 0;
    bool m_bFirstTick = true;

    friend class CCRepeatForever;  // reads the overshoot of a finished loop
};

class CCDelayTime : public CCActionInterval {
public:
    static CCDelayTime* create(float duration);
    void update(float time) override;
    CCDelayTime* reverse() override;
    CCDelayTime* copy() override;
};

// --- tweens -------------------------------------------------------------------------------

class CCMoveBy : public CCActionInterval {
public:
    static CCMoveBy* create(float duration, const CCPoint& delta);
    bool initWithDuration(float duration, const CCPoint& delta);
    void startWithTarget(CCNode* target) override;
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCMoveBy* copy() override;

protected:
    CCPoint m_positionDelta;
    CCPoint m_startPosition;
};

// Lands exactly on the end position at ratio 1.
class CCMoveTo : public CCMoveBy {
public:
    static CCMoveTo* create(float duration, const CCPoint& position);
    bool initWithDuration(float duration, const CCPoint& position);
    void startWithTarget(CCNode* target) override;
    void update(float time) override;
    CCActionInterval* reverse() override;  // none: the start is only known when running
    CCMoveTo* copy() override;

protected:
    CCPoint m_endPosition;
};

class CCScaleTo : public CCActionInterval {
public:
    static CCScaleTo* create(float duration, float scale);
    static CCScaleTo* create(float duration, float scaleX, float scaleY);
    bool initWithDuration(float duration, float scale);
    bool initWithDuration(float duration, float scaleX, float scaleY);
    void startWithTarget(CCNode* target) override;
    void update(float time) override;
    CCActionInterval* reverse() override;  // none
    CCScaleTo* copy() override;

protected:
    float m_fEndScaleX = 1, m_fEndScaleY = 1;      // as given to create
    float m_fStartScaleX = 1, m_fStartScaleY = 1;  // taken from the target at start
    float m_fFinalScaleX = 1, m_fFinalScaleY = 1;  // what ratio 1 lands on
};

// Multiplies the target's scale; the factors are kept in m_fEndScaleX/Y.
class CCScaleBy : public CCScaleTo {
public:
    static CCScaleBy* create(float duration, float scale);
    static CCScaleBy* create(float duration, float scaleX, float scaleY);
    void startWithTarget(CCNode* target) override;
    CCActionInterval* reverse() override;
    CCScaleBy* copy() override;
};

// Turns to an angle in degrees the shortest way round (never more than 180 degrees).
class CCRotateTo : public CCActionInterval {
public:
    static CCRotateTo* create(float duration, float angle);
    bool initWithDuration(float duration, float angle);
    void startWithTarget(CCNode* target) override;
    void update(float time) override;
    CCActionInterval* reverse() override;  // none
    CCRotateTo* copy() override;

protected:
    float m_fDstAngle = 0;
    float m_fStartAngle = 0;
    float m_fDiffAngle = 0;
};

class CCRotateBy : public CCActionInterval {
public:
    static CCRotateBy* create(float duration, float deltaAngle);
    bool initWithDuration(float duration, float deltaAngle);
    void startWithTarget(CCNode* target) override;
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCRotateBy* copy() override;

protected:
    float m_fAngle = 0;
    float m_fStartAngle = 0;
};

// Opacity tweens; a target without colour (not a CCRGBAProtocol) is left alone.
class CCFadeTo : public CCActionInterval {
public:
    static CCFadeTo* create(float duration, uint8_t opacity);
    bool initWithDuration(float duration, uint8_t opacity);
    void startWithTarget(CCNode* target) override;
    void update(float time) override;
    CCActionInterval* reverse() override;  // none
    CCFadeTo* copy() override;

protected:
    uint8_t m_toOpacity = 255;
    uint8_t m_fromOpacity = 255;
};

// From fully transparent to opaque, whatever the opacity at start.
class CCFadeIn : public CCActionInterval {
public:
    static CCFadeIn* create(float duration);
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCFadeIn* copy() override;
};

// From opaque to fully transparent, whatever the opacity at start.
class CCFadeOut : public CCActionInterval {
public:
    static CCFadeOut* create(float duration);
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCFadeOut* copy() override;
};

class CCTintTo : public CCActionInterval {
public:
    static CCTintTo* create(float duration, uint8_t red, uint8_t green, uint8_t blue);
    bool initWithDuration(float duration, uint8_t red, uint8_t green, uint8_t blue);
    void startWithTarget(CCNode* target) override;
    void update(float time) override;
    CCActionInterval* reverse() override;  // none
    CCTintTo* copy() override;

protected:
    ccColor3B m_to = ccWHITE;
    ccColor3B m_from = ccWHITE;
};

// --- combinators --------------------------------------------------------------------------

// Runs actions one after the other. Longer lists are nested pairs; an instant action fires
// exactly once, when the time reaches its place in the list.
class CCSequence : public CCActionInterval {
public:
    CCSequence() = default;
    ~CCSequence() override;

    // A null-terminated list; one action alone is padded with a no-op.
    static CCSequence* create(CCFiniteTimeAction* first, ...);
    static CCSequence* createWithVariableList(CCFiniteTimeAction* first, va_list args);
    // The actions of an array, in order; entries that are not timed actions are skipped.
    static CCSequence* create(CCArray* actions);
    static CCSequence* createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);
    bool initWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);

    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float time) override;
    // The reversed actions in reverse order.
    CCActionInterval* reverse() override;
    CCSequence* copy() override;

protected:
    // Updates action i, starting it on first use; false when that stopped this sequence.
    bool play(int i, float time);

    CCFiniteTimeAction* m_pActions[2] = {nullptr, nullptr};
    float m_split = 0;  // ratio at which the second action takes over
    int m_last = -1;    // the action updated last, -1 before the first update
    bool m_started[2] = {false, false};
    bool m_fired[2] = {false, false};  // an action of zero duration acts once per run
};

// Runs actions side by side; the shorter of each pair is padded with a delay.
class CCSpawn : public CCActionInterval {
public:
    CCSpawn() = default;
    ~CCSpawn() override;

    static CCSpawn* create(CCFiniteTimeAction* first, ...);
    static CCSpawn* createWithVariableList(CCFiniteTimeAction* first, va_list args);
    static CCSpawn* create(CCArray* actions);
    static CCSpawn* createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);
    bool initWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);

    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCSpawn* copy() override;

protected:
    CCFiniteTimeAction* m_pOne = nullptr;
    CCFiniteTimeAction* m_pTwo = nullptr;
};

// Runs an action a number of times; its duration is the inner duration times that number.
class CCRepeat : public CCActionInterval {
public:
    CCRepeat() = default;
    ~CCRepeat() override;

    static CCRepeat* create(CCFiniteTimeAction* action, unsigned int times);
    bool initWithAction(CCFiniteTimeAction* action, unsigned int times);

    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCRepeat* copy() override;

    CCFiniteTimeAction* getInnerAction() { return m_pInnerAction; }
    unsigned int getTimes() const { return m_uTimes; }

protected:
    CCFiniteTimeAction* m_pInnerAction = nullptr;
    unsigned int m_uTimes = 0;
    unsigned int m_uTotal = 0;   // loops completed
    bool m_bInnerRunning = false;
};

// Runs an action again and again; never done. The time a loop overshoots its end is
// carried into the next loop, so loops do not drift against the clock.
class CCRepeatForever : public CCActionInterval {
public:
    CCRepeatForever() = default;
    ~CCRepeatForever() override;

    static CCRepeatForever* create(CCActionInterval* action);
    bool initWithAction(CCActionInterval* action);

    bool isDone() override { return false; }
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void step(float dt) override;
    CCActionInterval* reverse() override;
    CCRepeatForever* copy() override;

    CCActionInterval* getInnerAction() { return m_pInnerAction; }

protected:
    CCActionInterval* m_pInnerAction = nullptr;
};

// Plays an action faster or slower; done when the inner action is.
class CCSpeed : public CCAction {
public:
    CCSpeed() = default;
    ~CCSpeed() override;

    static CCSpeed* create(CCActionInterval* action, float speed);
    bool initWithAction(CCActionInterval* action, float speed);

    float getSpeed() const { return m_fSpeed; }
    // Negative or non-numeric speeds are refused.
    void setSpeed(float speed);

    bool isDone() override;
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void step(float dt) override;
    CCSpeed* reverse();
    CCSpeed* copy() override;

    CCActionInterval* getInnerAction() { return m_pInnerAction; }

protected:
    CCActionInterval* m_pInnerAction = nullptr;
    float m_fSpeed = 1;
};

}  // namespace engine
