// Reference counting and autorelease hand-off of CCObject.
#include "engine/base/CCObject.h"

#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCLog.h"

namespace engine {

namespace {
unsigned int s_nextObjectID = 0;
}

CCObject::CCObject() : m_uID(++s_nextObjectID), m_uReference(1), m_uAutoReleaseCount(0) {}

CCObject::~CCObject() {
    // An object deleted by hand while still in a pool must not be released again later.
    if (m_uAutoReleaseCount > 0) CCPoolManager::sharedPoolManager()->forgetObject(this);
}

void CCObject::retain() { ++m_uReference; }

void CCObject::release() {
    if (m_uReference == 0) {
        CCLog("CCObject: release of an object with no references (id %u)", m_uID);
        return;
    }
    if (--m_uReference == 0) delete this;
}

CCObject* CCObject::autorelease() {
    CCPoolManager::sharedPoolManager()->addObject(this);
    return this;
}

CCObject* CCObject::copy() { return nullptr; }

}  // namespace engine
