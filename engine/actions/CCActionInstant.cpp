// Instant actions: each does its one change in update() and is done after its first step.
#include "engine/actions/CCActionInstant.h"

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/scene/CCNode.h"

namespace engine {

// --- CCActionInstant ------------------------------------------------------------------

CCActionInstant* CCActionInstant::create() { return autoreleasedOrNull(new CCActionInstant(), true); }

void CCActionInstant::startWithTarget(CCNode* target) {
    CCFiniteTimeAction::startWithTarget(target);
    m_bDone = false;
}

void CCActionInstant::step(float /*dt*/) {
    // Marked first: a callback that restarts this very action must find it fresh afterwards.
    m_bDone = true;
    update(1);
}

void CCActionInstant::update(float /*time*/) {}

CCActionInstant* CCActionInstant::reverse() {
    CCActionInstant* copied = copy();
    if (copied) copied->autorelease();
    return copied;
}

CCActionInstant* CCActionInstant::copy() { return new CCActionInstant(); }

// --- visibility and placement ---------------------------------------------------------

CCShow* CCShow::create() { return autoreleasedOrNull(new CCShow(), true); }
void CCShow::update(float /*time*/) {
    if (m_pTarget) m_pTarget->setVisible(true);
}
CCActionInstant* CCShow::reverse() { return CCHide::create(); }
CCShow* CCShow::copy() { return new CCShow(); }

CCHide* CCHide::create() { return autoreleasedOrNull(new CCHide(), true); }
void CCHide::update(float /*time*/) {
    if (m_pTarget) m_pTarget->setVisible(false);
}
CCActionInstant* CCHide::reverse() { return CCShow::create(); }
CCHide* CCHide::copy() { return new CCHide(); }

CCToggleVisibility* CCToggleVisibility::create() { return autoreleasedOrNull(new CCToggleVisibility(), true); }
void CCToggleVisibility::update(float /*time*/) {
    if (m_pTarget) m_pTarget->setVisible(!m_pTarget->isVisible());
}
CCToggleVisibility* CCToggleVisibility::reverse() { return CCToggleVisibility::create(); }
CCToggleVisibility* CCToggleVisibility::copy() { return new CCToggleVisibility(); }

CCPlace* CCPlace::create(const CCPoint& position) {
    auto* action = new CCPlace();
    return autoreleasedOrNull(action, action->initWithPosition(position));
}

bool CCPlace::initWithPosition(const CCPoint& position) {
    m_tPosition = position;
    return true;
}

void CCPlace::update(float /*time*/) {
    if (m_pTarget) m_pTarget->setPosition(m_tPosition);
}

CCPlace* CCPlace::copy() {
    auto* action = new CCPlace();
    action->initWithPosition(m_tPosition);
    return action;
}

CCRemoveSelf* CCRemoveSelf::create(bool cleanup) {
    auto* action = new CCRemoveSelf();
    return autoreleasedOrNull(action, action->init(cleanup));
}

bool CCRemoveSelf::init(bool cleanup) {
    m_bCleanup = cleanup;
    return true;
}

void CCRemoveSelf::update(float /*time*/) {
    // Nothing of the target may be used after this call: it can delete the target.
    if (m_pTarget) m_pTarget->removeFromParentAndCleanup(m_bCleanup);
}

CCRemoveSelf* CCRemoveSelf::reverse() { return CCRemoveSelf::create(m_bCleanup); }

CCRemoveSelf* CCRemoveSelf::copy() {
    auto* action = new CCRemoveSelf();
    action->init(m_bCleanup);
    return action;
}

// --- callbacks ------------------------------------------------------------------------

CCCallFunc::~CCCallFunc() { safeRelease(m_pSelectorTarget); }

CCCallFunc* CCCallFunc::create(CCObject* selectorTarget, SEL_CallFunc selector) {
    auto* action = new CCCallFunc();
    action->m_pCallFunc = selector;
    return autoreleasedOrNull(action, action->initWithTarget(selectorTarget));
}

CCCallFunc* CCCallFunc::create(std::function<void()> function) {
    auto* action = new CCCallFunc();
    return autoreleasedOrNull(action, action->initWithFunction(std::move(function)));
}

bool CCCallFunc::initWithTarget(CCObject* selectorTarget) {
    if (m_pCallFunc && !selectorTarget) {
        CCLog("CCCallFunc: a selector needs a target");
        return false;
    }
    setTargetCallback(selectorTarget);
    return true;
}

bool CCCallFunc::initWithFunction(std::function<void()> function) {
    m_function = std::move(function);
    return true;
}

void CCCallFunc::execute() {
    if (m_function) {
        // A copy: the callback may drop the last reference to this action.
        auto function = m_function;
        function();
        return;
    }
    if (!m_pSelectorTarget || !m_pCallFunc) return;
    // Held across the call: the callback may drop the last reference to this action, and
    // with it the action's reference to the selector target.
    CCObject* target = m_pSelectorTarget;
    SEL_CallFunc selector = m_pCallFunc;
    target->retain();
    (target->*selector)();
    target->release();
}

void CCCallFunc::update(float /*time*/) { execute(); }

CCCallFunc* CCCallFunc::copy() {
    auto* action = new CCCallFunc();
    action->m_pCallFunc = m_pCallFunc;
    action->m_function = m_function;
    action->initWithTarget(m_pSelectorTarget);
    return action;
}

CCCallFuncN* CCCallFuncN::create(CCObject* selectorTarget, SEL_CallFuncN selector) {
    auto* action = new CCCallFuncN();
    return autoreleasedOrNull(action, action->initWithTarget(selectorTarget, selector));
}

CCCallFuncN* CCCallFuncN::create(std::function<void(CCNode*)> function) {
    auto* action = new CCCallFuncN();
    action->m_functionN = std::move(function);
    return autoreleasedOrNull(action, true);
}

bool CCCallFuncN::initWithTarget(CCObject* selectorTarget, SEL_CallFuncN selector) {
    if (selector && !selectorTarget) {
        CCLog("CCCallFuncN: a selector needs a target");
        return false;
    }
    m_pCallFuncN = selector;
    setTargetCallback(selectorTarget);
    return true;
}

void CCCallFuncN::execute() {
    CCNode* node = m_pTarget;
    if (m_functionN) {
        auto function = m_functionN;
        function(node);
        return;
    }
    if (!m_pSelectorTarget || !m_pCallFuncN) return;
    CCObject* target = m_pSelectorTarget;
    SEL_CallFuncN selector = m_pCallFuncN;
    target->retain();
    (target->*selector)(node);
    target->release();
}

CCCallFuncN* CCCallFuncN::copy() {
    auto* action = new CCCallFuncN();
    action->initWithTarget(m_pSelectorTarget, m_pCallFuncN);
    action->m_functionN = m_functionN;
    return action;
}

CCCallFuncO::~CCCallFuncO() { safeRelease(m_pObject); }

CCCallFuncO* CCCallFuncO::create(CCObject* selectorTarget, SEL_CallFuncO selector, CCObject* object) {
    auto* action = new CCCallFuncO();
    return autoreleasedOrNull(action, action->initWithTarget(selectorTarget, selector, object));
}

bool CCCallFuncO::initWithTarget(CCObject* selectorTarget, SEL_CallFuncO selector, CCObject* object) {
    if (selector && !selectorTarget) {
        CCLog("CCCallFuncO: a selector needs a target");
        return false;
    }
    m_pCallFuncO = selector;
    setTargetCallback(selectorTarget);
    assignRetained(m_pObject, object);
    return true;
}

void CCCallFuncO::execute() {
    if (!m_pSelectorTarget || !m_pCallFuncO) return;
    CCObject* target = m_pSelectorTarget;
    CCObject* object = m_pObject;
    SEL_CallFuncO selector = m_pCallFuncO;
    target->retain();
    if (object) object->retain();
    (target->*selector)(object);
    if (object) object->release();
    target->release();
}

CCCallFuncO* CCCallFuncO::copy() {
    auto* action = new CCCallFuncO();
    action->initWithTarget(m_pSelectorTarget, m_pCallFuncO, m_pObject);
    return action;
}

}  // namespace engine
