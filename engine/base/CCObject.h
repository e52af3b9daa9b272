// Reference-counted base object of the engine, and the member-function-pointer callback types.
#pragma once

#include <cstdint>

namespace engine {

class CCNode;
class CCObject;

// Callbacks are a target object plus one of these member-function pointers.
typedef void (CCObject::*SEL_SCHEDULE)(float);
typedef void (CCObject::*SEL_CallFunc)();
typedef void (CCObject::*SEL_CallFuncN)(CCNode*);
typedef void (CCObject::*SEL_CallFuncO)(CCObject*);
typedef void (CCObject::*SEL_MenuHandler)(CCObject*);

#define schedule_selector(_SELECTOR) static_cast<engine::SEL_SCHEDULE>(&_SELECTOR)
#define callfunc_selector(_SELECTOR) static_cast<engine::SEL_CallFunc>(&_SELECTOR)
#define callfuncN_selector(_SELECTOR) static_cast<engine::SEL_CallFuncN>(&_SELECTOR)
#define callfuncO_selector(_SELECTOR) static_cast<engine::SEL_CallFuncO>(&_SELECTOR)
#define menu_selector(_SELECTOR) static_cast<engine::SEL_MenuHandler>(&_SELECTOR)

class CCObject {
public:
    CCObject();
    CCObject(const CCObject&) = delete;
    CCObject& operator=(const CCObject&) = delete;
    virtual ~CCObject();

    // A new object starts with one reference, owned by whoever created it.
    void retain();
    // Drops one reference; the object deletes itself when none remain.
    void release();
    // Hands the creation reference to the current autorelease pool, drained after each frame.
    CCObject* autorelease();
    unsigned int retainCount() const { return m_uReference; }
    bool isSingleReference() const { return m_uReference == 1; }

    // Copy support: objects that can be copied override copy() (actions do).
    virtual CCObject* copy();
    virtual bool isEqual(const CCObject* other) const { return this == other; }
    virtual void update(float /*dt*/) {}

    unsigned int getID() const { return m_uID; }

protected:
    unsigned int m_uID;
    unsigned int m_uReference;
    unsigned int m_uAutoReleaseCount;

    friend class CCAutoreleasePool;
};

// Drops a reference and nulls the pointer; safe on null.
template <typename T>
inline void safeRelease(T*& p) {
    if (p) {
        p->release();
        p = nullptr;
    }
}

// Replaces an owned pointer: retains the new value before releasing the old one.
template <typename T>
inline void assignRetained(T*& slot, T* value) {
    if (slot == value) return;
    if (value) value->retain();
    if (slot) slot->release();
    slot = value;
}

}  // namespace engine
