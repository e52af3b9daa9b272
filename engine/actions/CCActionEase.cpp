// Eased actions and their curves; each curve maps 0 to 0 and 1 to exactly 1.
#include "engine/actions/CCActionEase.h"

#include <cmath>

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"

namespace engine {

namespace {
constexpr float kPi = 3.14159265358979323846f;
constexpr float kDefaultPeriod = 0.3f;

// A new ease of a copy of the inner action, with one reference for the caller.
template <typename T, typename... Args>
T* copyEase(CCActionInterval* inner, Args... args) {
    CCActionInterval* innerCopy = inner ? inner->copy() : nullptr;
    if (!innerCopy) return nullptr;
    T* copy = new T();
    if (!copy->initWithAction(innerCopy, args...)) safeRelease(copy);
    innerCopy->release();
    return copy;
}

// An ease of the reversed inner action; null when the inner action has no reverse.
template <typename T, typename... Args>
CCActionInterval* reverseEase(CCActionInterval* inner, Args... args) {
    CCActionInterval* reversed = inner ? inner->reverse() : nullptr;
    if (!reversed) return nullptr;
    return T::create(reversed, args...);
}
}  // namespace

// --- curves ---------------------------------------------------------------------------

namespace easing {

float rateIn(float t, float rate) { return std::pow(t, rate); }

float rateOut(float t, float rate) { return std::pow(t, 1 / rate); }

float rateInOut(float t, float rate) {
    t *= 2;
    if (t < 1) return 0.5f * std::pow(t, rate);
    return 1 - 0.5f * std::pow(2 - t, rate);
}

float elasticIn(float t, float period) {
    if (t == 0 || t == 1) return t;
    float s = period / 4;
    t -= 1;
    return -std::pow(2.f, 10 * t) * std::sin((t - s) * 2 * kPi / period);
}

float elasticOut(float t, float period) {
    if (t == 0 || t == 1) return t;
    float s = period / 4;
    return std::pow(2.f, -10 * t) * std::sin((t - s) * 2 * kPi / period) + 1;
}

float elasticInOut(float t, float period) {
    if (t == 0 || t == 1) return t;
    float s = period / 4;
    t = t * 2 - 1;
    if (t < 0) return -0.5f * std::pow(2.f, 10 * t) * std::sin((t - s) * 2 * kPi / period);
    return std::pow(2.f, -10 * t) * std::sin((t - s) * 2 * kPi / period) * 0.5f + 1;
}

float sineIn(float t) {
    if (t <= 0 || t >= 1) return t <= 0 ? 0.f : 1.f;
    return 1 - std::cos(t * kPi / 2);
}

float sineOut(float t) {
    if (t <= 0 || t >= 1) return t <= 0 ? 0.f : 1.f;
    return std::sin(t * kPi / 2);
}

float sineInOut(float t) {
    if (t <= 0 || t >= 1) return t <= 0 ? 0.f : 1.f;
    return -0.5f * (std::cos(kPi * t) - 1);
}

// Scaled so that the curve meets both ends instead of jumping by 2^-10 at the start.
float exponentialIn(float t) {
    if (t <= 0 || t >= 1) return t <= 0 ? 0.f : 1.f;
    return (std::pow(2.f, 10 * t) - 1) / 1023.f;
}

float exponentialOut(float t) { return 1 - exponentialIn(1 - t); }

float exponentialInOut(float t) {
    if (t < 0.5f) return exponentialIn(2 * t) / 2;
    return 1 - exponentialIn(2 - 2 * t) / 2;
}

}  // namespace easing

// --- CCActionEase ---------------------------------------------------------------------

CCActionEase::~CCActionEase() { safeRelease(m_pInner); }

CCActionEase* CCActionEase::create(CCActionInterval* action) {
    auto* ease = new CCActionEase();
    return autoreleasedOrNull(ease, ease->initWithAction(action));
}

bool CCActionEase::initWithAction(CCActionInterval* action) {
    if (!action) {
        CCLog("CCActionEase: no action to ease");
        return false;
    }
    CCActionInterval::initWithDuration(action->getDuration());
    assignRetained(m_pInner, action);
    return true;
}

void CCActionEase::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_pInner->startWithTarget(target);
}

void CCActionEase::stop() {
    m_pInner->stop();
    CCActionInterval::stop();
}

void CCActionEase::update(float time) { m_pInner->update(time); }

CCActionInterval* CCActionEase::reverse() { return reverseEase<CCActionEase>(m_pInner); }

CCActionEase* CCActionEase::copy() { return copyEase<CCActionEase>(m_pInner); }

// --- rate eases -----------------------------------------------------------------------

CCEaseRateAction* CCEaseRateAction::create(CCActionInterval* action, float rate) {
    auto* ease = new CCEaseRateAction();
    return autoreleasedOrNull(ease, ease->initWithAction(action, rate));
}

bool CCEaseRateAction::initWithAction(CCActionInterval* action, float rate) {
    if (!CCActionEase::initWithAction(action)) return false;
    m_fRate = 1;
    setRate(rate);
    return true;
}

void CCEaseRateAction::setRate(float rate) {
    if (!std::isfinite(rate) || rate <= 0) {
        CCLog("CCEaseRateAction: rate %f refused", static_cast<double>(rate));
        return;
    }
    m_fRate = rate;
}

CCActionInterval* CCEaseRateAction::reverse() { return reverseEase<CCEaseRateAction>(m_pInner, 1 / m_fRate); }

CCEaseRateAction* CCEaseRateAction::copy() { return copyEase<CCEaseRateAction>(m_pInner, m_fRate); }

#define QUIREL_RATE_EASE(Class)                                                      \
    Class* Class::create(CCActionInterval* action, float rate) {                     \
        auto* ease = new Class();                                                    \
        return autoreleasedOrNull(ease, ease->initWithAction(action, rate));         \
    }                                                                                \
    Class* Class::copy() { return copyEase<Class>(m_pInner, m_fRate); }

QUIREL_RATE_EASE(CCEaseIn)
QUIREL_RATE_EASE(CCEaseOut)
QUIREL_RATE_EASE(CCEaseInOut)
#undef QUIREL_RATE_EASE

void CCEaseIn::update(float time) { m_pInner->update(easing::rateIn(time, m_fRate)); }
// Undoing a slow start ends slowly: the reversed run eases with the inverse rate.
CCActionInterval* CCEaseIn::reverse() { return reverseEase<CCEaseIn>(m_pInner, 1 / m_fRate); }

void CCEaseOut::update(float time) { m_pInner->update(easing::rateOut(time, m_fRate)); }
CCActionInterval* CCEaseOut::reverse() { return reverseEase<CCEaseOut>(m_pInner, 1 / m_fRate); }

void CCEaseInOut::update(float time) { m_pInner->update(easing::rateInOut(time, m_fRate)); }
CCActionInterval* CCEaseInOut::reverse() { return reverseEase<CCEaseInOut>(m_pInner, m_fRate); }

// --- elastic eases --------------------------------------------------------------------

CCEaseElastic* CCEaseElastic::create(CCActionInterval* action, float period) {
    auto* ease = new CCEaseElastic();
    return autoreleasedOrNull(ease, ease->initWithAction(action, period));
}

bool CCEaseElastic::initWithAction(CCActionInterval* action, float period) {
    if (!CCActionEase::initWithAction(action)) return false;
    m_fPeriod = kDefaultPeriod;
    setPeriod(period);
    return true;
}

void CCEaseElastic::setPeriod(float period) {
    if (!std::isfinite(period) || period <= 0) {
        CCLog("CCEaseElastic: period %f refused", static_cast<double>(period));
        return;
    }
    m_fPeriod = period;
}

CCActionInterval* CCEaseElastic::reverse() { return reverseEase<CCEaseElastic>(m_pInner, m_fPeriod); }

CCEaseElastic* CCEaseElastic::copy() { return copyEase<CCEaseElastic>(m_pInner, m_fPeriod); }

#define QUIREL_ELASTIC_EASE(Class, curve, Reverse)                                   \
    Class* Class::create(CCActionInterval* action, float period) {                   \
        auto* ease = new Class();                                                    \
        return autoreleasedOrNull(ease, ease->initWithAction(action, period));       \
    }                                                                                \
    void Class::update(float time) { m_pInner->update(easing::curve(time, m_fPeriod)); } \
    CCActionInterval* Class::reverse() { return reverseEase<Reverse>(m_pInner, m_fPeriod); } \
    Class* Class::copy() { return copyEase<Class>(m_pInner, m_fPeriod); }

QUIREL_ELASTIC_EASE(CCEaseElasticIn, elasticIn, CCEaseElasticOut)
QUIREL_ELASTIC_EASE(CCEaseElasticOut, elasticOut, CCEaseElasticIn)
QUIREL_ELASTIC_EASE(CCEaseElasticInOut, elasticInOut, CCEaseElasticInOut)
#undef QUIREL_ELASTIC_EASE

// --- sine and exponential eases -------------------------------------------------------

#define QUIREL_PLAIN_EASE(Class, curve, Reverse)                                     \
    Class* Class::create(CCActionInterval* action) {                                 \
        auto* ease = new Class();                                                    \
        return autoreleasedOrNull(ease, ease->initWithAction(action));               \
    }                                                                                \
    void Class::update(float time) { m_pInner->update(easing::curve(time)); }        \
    CCActionInterval* Class::reverse() { return reverseEase<Reverse>(m_pInner); }    \
    Class* Class::copy() { return copyEase<Class>(m_pInner); }

QUIREL_PLAIN_EASE(CCEaseSineIn, sineIn, CCEaseSineOut)
QUIREL_PLAIN_EASE(CCEaseSineOut, sineOut, CCEaseSineIn)
QUIREL_PLAIN_EASE(CCEaseSineInOut, sineInOut, CCEaseSineInOut)
QUIREL_PLAIN_EASE(CCEaseExponentialIn, exponentialIn, CCEaseExponentialOut)
QUIREL_PLAIN_EASE(CCEaseExponentialOut, exponentialOut, CCEaseExponentialIn)
QUIREL_PLAIN_EASE(CCEaseExponentialInOut, exponentialInOut, CCEaseExponentialInOut)
#undef QUIREL_PLAIN_EASE

}  // namespace engine
