// Base classes of actions: an action changes its target node over time, stepped by the manager.
#pragma once

#include "engine/base/CCObject.h"

namespace engine {

class CCNode;

enum { kCCActionTagInvalid = -1 };

class CCAction : public CCObject {
public:
    CCAction() = default;
    ~CCAction() override = default;

    // True once the action has nothing more to do; the manager then removes it.
    virtual bool isDone();
    // Binds the action to its target and starts it from the beginning.
    virtual void startWithTarget(CCNode* target);
    // Called by the manager when the action is removed before or after finishing.
    virtual void stop();
    // One frame of dt seconds.
    virtual void step(float dt);
    // Progress 0..1 of a timed action.
    virtual void update(float time) override;
    // A new, unstarted action with the same definition, holding one reference for the caller.
    CCAction* copy() override;

    CCNode* getTarget() { return m_pTarget; }
    void setTarget(CCNode* target) { m_pTarget = target; }
    CCNode* getOriginalTarget() { return m_pOriginalTarget; }
    int getTag() const { return m_nTag; }
    void setTag(int tag) { m_nTag = tag; }

protected:
    CCNode* m_pOriginalTarget = nullptr;
    // Not retained: the node stops its actions before it goes away.
    CCNode* m_pTarget = nullptr;
    int m_nTag = kCCActionTagInvalid;
};

// An action with a known duration.
class CCFiniteTimeAction : public CCAction {
public:
    float getDuration() const { return m_fDuration; }
    void setDuration(float duration) { m_fDuration = duration; }
    // The action that undoes this one; null where there is none.
    virtual CCFiniteTimeAction* reverse();
    CCFiniteTimeAction* copy() override;

protected:
    float m_fDuration = 0;
};

}  // namespace engine
