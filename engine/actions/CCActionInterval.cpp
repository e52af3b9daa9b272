// The interval clock and the property tweens (position, scale, rotation, opacity, colour).
#include "engine/actions/CCActionInterval.h"

#include <algorithm>
#include <cmath>

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/scene/CCNode.h"

namespace engine {

namespace {

float validDuration(float duration) {
    if (std::isnan(duration) || duration < 0) {
        CCLog("CCActionInterval: duration %f is not usable; using 0", static_cast<double>(duration));
        return 0;
    }
    return duration;
}

// Sums of float frame times land a hair before or after a whole duration; a run of
// 180 frames of 1/60 s must count as 3 s.
bool reachedEnd(double elapsed, float duration) {
    const double tolerance = 1e-6 * std::max(1.0, static_cast<double>(duration));
    return elapsed >= static_cast<double>(duration) - tolerance;
}

float lerp(float from, float to, float t) { return from * (1 - t) + to * t; }

uint8_t lerpByte(uint8_t from, uint8_t to, float t) {
    // Eases may overshoot the ratio (elastic): keep the value a byte.
    float v = std::round(lerp(from, to, t));
    return static_cast<uint8_t>(std::clamp(v, 0.f, 255.f));
}

CCRGBAProtocol* rgbaOf(CCNode* node, const char* who) {
    auto* rgba = dynamic_cast<CCRGBAProtocol*>(node);
    if (node && !rgba) CCLog("%s: the target has no colour or opacity; nothing to change", who);
    return rgba;
}

}  // namespace

// --- CCActionInterval -----------------------------------------------------------------

CCActionInterval* CCActionInterval::create(float duration) {
    auto* action = new CCActionInterval();
    return autoreleasedOrNull(action, action->initWithDuration(duration));
}

bool CCActionInterval::initWithDuration(float duration) {
    m_fDuration = validDuration(duration);
    m_elapsed = 0;
    m_bFirstTick = true;
    return true;
}

bool CCActionInterval::isDone() { return !m_bFirstTick && reachedEnd(m_elapsed, m_fDuration); }

void CCActionInterval::startWithTarget(CCNode* target) {
    CCFiniteTimeAction::startWithTarget(target);
    m_elapsed = 0;
    m_bFirstTick = true;
}

void CCActionInterval::step(float dt) {
    if (m_bFirstTick) {
        m_bFirstTick = false;
        m_elapsed = 0;
    }
    m_elapsed += static_cast<double>(dt);
    float ratio = 1;
    if (m_fDuration > 0 && !reachedEnd(m_elapsed, m_fDuration))
        ratio = std::clamp(static_cast<float>(m_elapsed / static_cast<double>(m_fDuration)), 0.f, 1.f);
    update(ratio);
}

CCActionInterval* CCActionInterval::reverse() {
    CCLog("CCActionInterval: this action has no reverse");
    return nullptr;
}

CCActionInterval* CCActionInterval::copy() {
    auto* action = new CCActionInterval();
    action->initWithDuration(m_fDuration);
    return action;
}

// --- CCDelayTime ----------------------------------------------------------------------

CCDelayTime* CCDelayTime::create(float duration) {
    auto* action = new CCDelayTime();
    return autoreleasedOrNull(action, action->initWithDuration(duration));
}

void CCDelayTime::update(float /*time*/) {}

CCDelayTime* CCDelayTime::reverse() { return create(m_fDuration); }

CCDelayTime* CCDelayTime::copy() {
    auto* action = new CCDelayTime();
    action->initWithDuration(m_fDuration);
    return action;
}

// --- moves ----------------------------------------------------------------------------

CCMoveBy* CCMoveBy::create(float duration, const CCPoint& delta) {
    auto* action = new CCMoveBy();
    return autoreleasedOrNull(action, action->initWithDuration(duration, delta));
}

bool CCMoveBy::initWithDuration(float duration, const CCPoint& delta) {
    CCActionInterval::initWithDuration(duration);
    m_positionDelta = delta;
    return true;
}

void CCMoveBy::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    if (target) m_startPosition = target->getPosition();
}

void CCMoveBy::update(float time) {
    if (m_pTarget) m_pTarget->setPosition(m_startPosition + m_positionDelta * time);
}

CCActionInterval* CCMoveBy::reverse() { return create(m_fDuration, -m_positionDelta); }

CCMoveBy* CCMoveBy::copy() {
    auto* action = new CCMoveBy();
    action->initWithDuration(m_fDuration, m_positionDelta);
    return action;
}

CCMoveTo* CCMoveTo::create(float duration, const CCPoint& position) {
    auto* action = new CCMoveTo();
    return autoreleasedOrNull(action, action->initWithDuration(duration, position));
}

bool CCMoveTo::initWithDuration(float duration, const CCPoint& position) {
    CCActionInterval::initWithDuration(duration);
    m_endPosition = position;
    return true;
}

void CCMoveTo::startWithTarget(CCNode* target) {
    CCMoveBy::startWithTarget(target);
    m_positionDelta = m_endPosition - m_startPosition;
}

void CCMoveTo::update(float time) {
    if (m_pTarget)
        m_pTarget->setPosition(CCPoint(lerp(m_startPosition.x, m_endPosition.x, time),
                                       lerp(m_startPosition.y, m_endPosition.y, time)));
}

CCActionInterval* CCMoveTo::reverse() {
    CCLog("CCMoveTo: has no reverse; use CCMoveBy");
    return nullptr;
}

CCMoveTo* CCMoveTo::copy() {
    auto* action = new CCMoveTo();
    action->initWithDuration(m_fDuration, m_endPosition);
    return action;
}

// --- scales ---------------------------------------------------------------------------

CCScaleTo* CCScaleTo::create(float duration, float scale) { return create(duration, scale, scale); }

CCScaleTo* CCScaleTo::create(float duration, float scaleX, float scaleY) {
    auto* action = new CCScaleTo();
    return autoreleasedOrNull(action, action->initWithDuration(duration, scaleX, scaleY));
}

bool CCScaleTo::initWithDuration(float duration, float scale) { return initWithDuration(duration, scale, scale); }

bool CCScaleTo::initWithDuration(float duration, float scaleX, float scaleY) {
    if (!std::isfinite(scaleX) || !std::isfinite(scaleY)) {
        CCLog("CCScaleTo: scale (%f, %f) is not a number", static_cast<double>(scaleX),
              static_cast<double>(scaleY));
        return false;
    }
    CCActionInterval::initWithDuration(duration);
    m_fEndScaleX = scaleX;
    m_fEndScaleY = scaleY;
    return true;
}

void CCScaleTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    if (!target) return;
    m_fStartScaleX = target->getScaleX();
    m_fStartScaleY = target->getScaleY();
    m_fFinalScaleX = m_fEndScaleX;
    m_fFinalScaleY = m_fEndScaleY;
}

void CCScaleTo::update(float time) {
    if (!m_pTarget) return;
    m_pTarget->setScaleX(lerp(m_fStartScaleX, m_fFinalScaleX, time));
    m_pTarget->setScaleY(lerp(m_fStartScaleY, m_fFinalScaleY, time));
}

CCActionInterval* CCScaleTo::reverse() {
    CCLog("CCScaleTo: has no reverse; use CCScaleBy");
    return nullptr;
}

CCScaleTo* CCScaleTo::copy() {
    auto* action = new CCScaleTo();
    action->initWithDuration(m_fDuration, m_fEndScaleX, m_fEndScaleY);
    return action;
}

CCScaleBy* CCScaleBy::create(float duration, float scale) { return create(duration, scale, scale); }

CCScaleBy* CCScaleBy::create(float duration, float scaleX, float scaleY) {
    auto* action = new CCScaleBy();
    return autoreleasedOrNull(action, action->initWithDuration(duration, scaleX, scaleY));
}

void CCScaleBy::startWithTarget(CCNode* target) {
    CCScaleTo::startWithTarget(target);
    m_fFinalScaleX = m_fStartScaleX * m_fEndScaleX;
    m_fFinalScaleY = m_fStartScaleY * m_fEndScaleY;
}

CCActionInterval* CCScaleBy::reverse() {
    if (m_fEndScaleX == 0 || m_fEndScaleY == 0) {
        CCLog("CCScaleBy: a scale by 0 cannot be undone");
        return nullptr;
    }
    return create(m_fDuration, 1 / m_fEndScaleX, 1 / m_fEndScaleY);
}

CCScaleBy* CCScaleBy::copy() {
    auto* action = new CCScaleBy();
    action->initWithDuration(m_fDuration, m_fEndScaleX, m_fEndScaleY);
    return action;
}

// --- rotations ------------------------------------------------------------------------

CCRotateTo* CCRotateTo::create(float duration, float angle) {
    auto* action = new CCRotateTo();
    return autoreleasedOrNull(action, action->initWithDuration(duration, angle));
}

bool CCRotateTo::initWithDuration(float duration, float angle) {
    if (!std::isfinite(angle)) {
        CCLog("CCRotateTo: angle %f is not a number", static_cast<double>(angle));
        return false;
    }
    CCActionInterval::initWithDuration(duration);
    m_fDstAngle = angle;
    return true;
}

void CCRotateTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    if (!target) return;
    // The rotation keeps counting from where the node is (no jump from 370 to 10); only the
    // difference is folded into [-180, 180], so the turn takes the short way round.
    m_fStartAngle = target->getRotation();
    m_fDiffAngle = std::fmod(m_fDstAngle - m_fStartAngle, 360.f);
    if (m_fDiffAngle > 180) m_fDiffAngle -= 360;
    if (m_fDiffAngle < -180) m_fDiffAngle += 360;
}

void CCRotateTo::update(float time) {
    if (m_pTarget) m_pTarget->setRotation(m_fStartAngle + m_fDiffAngle * time);
}

CCActionInterval* CCRotateTo::reverse() {
    CCLog("CCRotateTo: has no reverse; use CCRotateBy");
    return nullptr;
}

CCRotateTo* CCRotateTo::copy() {
    auto* action = new CCRotateTo();
    action->initWithDuration(m_fDuration, m_fDstAngle);
    return action;
}

CCRotateBy* CCRotateBy::create(float duration, float deltaAngle) {
    auto* action = new CCRotateBy();
    return autoreleasedOrNull(action, action->initWithDuration(duration, deltaAngle));
}

bool CCRotateBy::initWithDuration(float duration, float deltaAngle) {
    if (!std::isfinite(deltaAngle)) {
        CCLog("CCRotateBy: angle %f is not a number", static_cast<double>(deltaAngle));
        return false;
    }
    CCActionInterval::initWithDuration(duration);
    m_fAngle = deltaAngle;
    return true;
}

void CCRotateBy::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    if (target) m_fStartAngle = target->getRotation();
}

void CCRotateBy::update(float time) {
    if (m_pTarget) m_pTarget->setRotation(m_fStartAngle + m_fAngle * time);
}

CCActionInterval* CCRotateBy::reverse() { return create(m_fDuration, -m_fAngle); }

CCRotateBy* CCRotateBy::copy() {
    auto* action = new CCRotateBy();
    action->initWithDuration(m_fDuration, m_fAngle);
    return action;
}

// --- opacity and colour ---------------------------------------------------------------

CCFadeTo* CCFadeTo::create(float duration, uint8_t opacity) {
    auto* action = new CCFadeTo();
    return autoreleasedOrNull(action, action->initWithDuration(duration, opacity));
}

bool CCFadeTo::initWithDuration(float duration, uint8_t opacity) {
    CCActionInterval::initWithDuration(duration);
    m_toOpacity = opacity;
    return true;
}

void CCFadeTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    if (CCRGBAProtocol* rgba = rgbaOf(target, "CCFadeTo")) m_fromOpacity = rgba->getOpacity();
}

void CCFadeTo::update(float time) {
    if (auto* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTarget))
        rgba->setOpacity(lerpByte(m_fromOpacity, m_toOpacity, time));
}

CCActionInterval* CCFadeTo::reverse() {
    CCLog("CCFadeTo: has no reverse; use CCFadeIn or CCFadeOut");
    return nullptr;
}

CCFadeTo* CCFadeTo::copy() {
    auto* action = new CCFadeTo();
    action->initWithDuration(m_fDuration, m_toOpacity);
    return action;
}

CCFadeIn* CCFadeIn::create(float duration) {
    auto* action = new CCFadeIn();
    return autoreleasedOrNull(action, action->initWithDuration(duration));
}

void CCFadeIn::update(float time) {
    if (auto* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTarget)) rgba->setOpacity(lerpByte(0, 255, time));
}

CCActionInterval* CCFadeIn::reverse() { return CCFadeOut::create(m_fDuration); }

CCFadeIn* CCFadeIn::copy() {
    auto* action = new CCFadeIn();
    action->initWithDuration(m_fDuration);
    return action;
}

CCFadeOut* CCFadeOut::create(float duration) {
    auto* action = new CCFadeOut();
    return autoreleasedOrNull(action, action->initWithDuration(duration));
}

void CCFadeOut::update(float time) {
    if (auto* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTarget)) rgba->setOpacity(lerpByte(255, 0, time));
}

CCActionInterval* CCFadeOut::reverse() { return CCFadeIn::create(m_fDuration); }

CCFadeOut* CCFadeOut::copy() {
    auto* action = new CCFadeOut();
    action->initWithDuration(m_fDuration);
    return action;
}

CCTintTo* CCTintTo::create(float duration, uint8_t red, uint8_t green, uint8_t blue) {
    auto* action = new CCTintTo();
    return autoreleasedOrNull(action, action->initWithDuration(duration, red, green, blue));
}

bool CCTintTo::initWithDuration(float duration, uint8_t red, uint8_t green, uint8_t blue) {
    CCActionInterval::initWithDuration(duration);
    m_to = ccc3(red, green, blue);
    return true;
}

void CCTintTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    if (CCRGBAProtocol* rgba = rgbaOf(target, "CCTintTo")) m_from = rgba->getColor();
}

void CCTintTo::update(float time) {
    if (auto* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTarget))
        rgba->setColor(ccc3(lerpByte(m_from.r, m_to.r, time), lerpByte(m_from.g, m_to.g, time),
                            lerpByte(m_from.b, m_to.b, time)));
}

CCActionInterval* CCTintTo::reverse() {
    CCLog("CCTintTo: has no reverse");
    return nullptr;
}

CCTintTo* CCTintTo::copy() {
    auto* action = new CCTintTo();
    action->initWithDuration(m_fDuration, m_to.r, m_to.g, m_to.b);
    return action;
}

}  // namespace engine
