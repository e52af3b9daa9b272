// Default behaviour shared by every action: binding to a target and the no-op hooks.
#include "engine/scene/CCAction.h"

#include "engine/base/CCLog.h"

namespace engine {

bool CCAction::isDone() { return true; }

void CCAction::startWithTarget(CCNode* target) {
    m_pOriginalTarget = target;
    m_pTarget = target;
}

void CCAction::stop() {
    // Composite actions check for a null target after calling user code: a stop (or the
    // target's destruction) during their own step must end their work for this frame.
    m_pTarget = nullptr;
}

void CCAction::step(float /*dt*/) { CCLog("CCAction: step called on an action that has no timing"); }

void CCAction::update(float /*time*/) {}

CCAction* CCAction::copy() {
    CCLog("CCAction: this action cannot be copied");
    return nullptr;
}

CCFiniteTimeAction* CCFiniteTimeAction::reverse() {
    CCLog("CCFiniteTimeAction: this action has no reverse");
    return nullptr;
}

CCFiniteTimeAction* CCFiniteTimeAction::copy() {
    CCLog("CCFiniteTimeAction: this action cannot be copied");
    return nullptr;
}

}  // namespace engine
