// Eased actions: wrap a timed action and reshape the ratio it is given (rate, elastic, sine ...).
#pragma once

#include "engine/actions/CCActionInterval.h"

namespace engine {

// The curves themselves, ratio in and out; usable without an action (transitions).
namespace easing {
float rateIn(float t, float rate);
float rateOut(float t, float rate);
float rateInOut(float t, float rate);
float elasticIn(float t, float period);
float elasticOut(float t, float period);
float elasticInOut(float t, float period);
float sineIn(float t);
float sineOut(float t);
float sineInOut(float t);
float exponentialIn(float t);
float exponentialOut(float t);
float exponentialInOut(float t);
}  // namespace easing

// Plays the inner action with the same duration; the plain class passes the ratio through.
class CCActionEase : public CCActionInterval {
public:
    CCActionEase() = default;
    ~CCActionEase() override;

    static CCActionEase* create(CCActionInterval* action);
    bool initWithAction(CCActionInterval* action);

    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCActionEase* copy() override;

    CCActionInterval* getInnerAction() { return m_pInner; }

protected:
    CCActionInterval* m_pInner = nullptr;
};

// An ease with a rate; rates that are not positive numbers become 1 (no easing).
class CCEaseRateAction : public CCActionEase {
public:
    static CCEaseRateAction* create(CCActionInterval* action, float rate);
    bool initWithAction(CCActionInterval* action, float rate);

    float getRate() const { return m_fRate; }
    void setRate(float rate);

    CCActionInterval* reverse() override;
    CCEaseRateAction* copy() override;

protected:
    float m_fRate = 1;
};

// t^rate: starts slowly.
class CCEaseIn : public CCEaseRateAction {
public:
    static CCEaseIn* create(CCActionInterval* action, float rate);
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCEaseIn* copy() override;
};

// t^(1/rate): ends slowly.
class CCEaseOut : public CCEaseRateAction {
public:
    static CCEaseOut* create(CCActionInterval* action, float rate);
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCEaseOut* copy() override;
};

// Slow at both ends, symmetric about the middle.
class CCEaseInOut : public CCEaseRateAction {
public:
    static CCEaseInOut* create(CCActionInterval* action, float rate);
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCEaseInOut* copy() override;
};

// Elastic eases overshoot and swing back; the period (default 0.3) sets the swing's length.
class CCEaseElastic : public CCActionEase {
public:
    static CCEaseElastic* create(CCActionInterval* action, float period = 0.3f);
    bool initWithAction(CCActionInterval* action, float period = 0.3f);

    float getPeriod() const { return m_fPeriod; }
    // Periods that are not positive numbers are refused.
    void setPeriod(float period);

    CCActionInterval* reverse() override;
    CCEaseElastic* copy() override;

protected:
    float m_fPeriod = 0.3f;
};

class CCEaseElasticIn : public CCEaseElastic {
public:
    static CCEaseElasticIn* create(CCActionInterval* action, float period = 0.3f);
    void update(float time) override;
    CCActionInterval* reverse() override;  // an elastic out of the reversed action
    CCEaseElasticIn* copy() override;
};

class CCEaseElasticOut : public CCEaseElastic {
public:
    static CCEaseElasticOut* create(CCActionInterval* action, float period = 0.3f);
    void update(float time) override;
    CCActionInterval* reverse() override;  // an elastic in of the reversed action
    CCEaseElasticOut* copy() override;
};

class CCEaseElasticInOut : public CCEaseElastic {
public:
    static CCEaseElasticInOut* create(CCActionInterval* action, float period = 0.3f);
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCEaseElasticInOut* copy() override;
};

class CCEaseSineIn : public CCActionEase {
public:
    static CCEaseSineIn* create(CCActionInterval* action);
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCEaseSineIn* copy() override;
};

class CCEaseSineOut : public CCActionEase {
public:
    static CCEaseSineOut* create(CCActionInterval* action);
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCEaseSineOut* copy() override;
};

class CCEaseSineInOut : public CCActionEase {
public:
    static CCEaseSineInOut* create(CCActionInterval* action);
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCEaseSineInOut* copy() override;
};

class CCEaseExponentialIn : public CCActionEase {
public:
    static CCEaseExponentialIn* create(CCActionInterval* action);
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCEaseExponentialIn* copy() override;
};

class CCEaseExponentialOut : public CCActionEase {
public:
    static CCEaseExponentialOut* create(CCActionInterval* action);
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCEaseExponentialOut* copy() override;
};

class CCEaseExponentialInOut : public CCActionEase {
public:
    static CCEaseExponentialInOut* create(CCActionInterval* action);
    void update(float time) override;
    CCActionInterval* reverse() override;
    CCEaseExponentialInOut* copy() override;
};

}  // namespace engine
