// Instant actions: one-shot changes (show, hide, place, remove, callbacks) that finish in one step.
#pragma once

#include <functional>

#include "engine/scene/CCAction.h"
#include "engine/base/CCGeometry.h"

namespace engine {

// Duration 0; its work happens in update(), called once, by its first step or by the
// sequence or spawn that holds it. The plain class does nothing and pads one-action
// sequences and spawns.
class CCActionInstant : public CCFiniteTimeAction {
public:
    static CCActionInstant* create();

    bool isDone() override { return m_bDone; }
    void startWithTarget(CCNode* target) override;
    void step(float dt) override;
    void update(float time) override;
    CCActionInstant* reverse() override;
    CCActionInstant* copy() override;

protected:
    bool m_bDone = false;
};

class CCShow : public CCActionInstant {
public:
    static CCShow* create();
    void update(float time) override;
    CCActionInstant* reverse() override;
    CCShow* copy() override;
};

class CCHide : public CCActionInstant {
public:
    static CCHide* create();
    void update(float time) override;
    CCActionInstant* reverse() override;
    CCHide* copy() override;
};

class CCToggleVisibility : public CCActionInstant {
public:
    static CCToggleVisibility* create();
    void update(float time) override;
    CCToggleVisibility* reverse() override;
    CCToggleVisibility* copy() override;
};

class CCPlace : public CCActionInstant {
public:
    static CCPlace* create(const CCPoint& position);
    bool initWithPosition(const CCPoint& position);
    void update(float time) override;
    CCPlace* copy() override;

protected:
    CCPoint m_tPosition;
};

// Takes the target out of its parent; with cleanup its actions and timers stop, so this is
// normally the last action of a sequence. The target may be deleted by it.
class CCRemoveSelf : public CCActionInstant {
public:
    static CCRemoveSelf* create(bool cleanup = true);
    bool init(bool cleanup);
    void update(float time) override;
    CCRemoveSelf* reverse() override;
    CCRemoveSelf* copy() override;

protected:
    bool m_bCleanup = true;
};

// Calls selectorTarget->*selector (or a function object). The selector target is retained
// for as long as the action lives, so a callback never reaches a deleted object.
class CCCallFunc : public CCActionInstant {
public:
    CCCallFunc() = default;
    ~CCCallFunc() override;

    static CCCallFunc* create(CCObject* selectorTarget, SEL_CallFunc selector);
    static CCCallFunc* create(std::function<void()> function);
    // A null selector makes an action that does nothing; a selector without a target fails.
    bool initWithTarget(CCObject* selectorTarget);
    bool initWithFunction(std::function<void()> function);

    virtual void execute();
    void update(float time) override;
    CCCallFunc* copy() override;

    CCObject* getTargetCallback() { return m_pSelectorTarget; }
    void setTargetCallback(CCObject* selectorTarget) { assignRetained(m_pSelectorTarget, selectorTarget); }

protected:
    CCObject* m_pSelectorTarget = nullptr;
    SEL_CallFunc m_pCallFunc = nullptr;
    std::function<void()> m_function;
};

// Calls selectorTarget->*selector(node) with the node the action runs on.
class CCCallFuncN : public CCCallFunc {
public:
    static CCCallFuncN* create(CCObject* selectorTarget, SEL_CallFuncN selector);
    static CCCallFuncN* create(std::function<void(CCNode*)> function);
    bool initWithTarget(CCObject* selectorTarget, SEL_CallFuncN selector);

    void execute() override;
    CCCallFuncN* copy() override;

protected:
    SEL_CallFuncN m_pCallFuncN = nullptr;
    std::function<void(CCNode*)> m_functionN;
};

// Calls selectorTarget->*selector(object); the object is retained with the action.
class CCCallFuncO : public CCCallFunc {
public:
    ~CCCallFuncO() override;
    static CCCallFuncO* create(CCObject* selectorTarget, SEL_CallFuncO selector, CCObject* object);
    bool initWithTarget(CCObject* selectorTarget, SEL_CallFuncO selector, CCObject* object);

    void execute() override;
    CCCallFuncO* copy() override;
    CCObject* getObject() { return m_pObject; }

protected:
    SEL_CallFuncO m_pCallFuncO = nullptr;
    CCObject* m_pObject = nullptr;
};

}  // namespace engine
