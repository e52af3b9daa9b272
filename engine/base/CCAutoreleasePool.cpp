// Autorelease pools and the pool stack drained once per frame.
#include "engine/base/CCAutoreleasePool.h"

#include <algorithm>

namespace engine {

void CCAutoreleasePool::addObject(CCObject* object) {
    (m_clearing ? m_deferred : m_objects).push_back(object);
    ++object->m_uAutoReleaseCount;
}

void CCAutoreleasePool::clear() {
    // Objects autoreleased while clearing wait for the next drain; an object deleted here
    // (its last reference gone) nulls its remaining entries through forgetObject.
    m_clearing = true;
    for (size_t i = 0; i < m_objects.size(); ++i) {
        CCObject* o = m_objects[i];
        if (!o) continue;
        m_objects[i] = nullptr;
        --o->m_uAutoReleaseCount;
        o->release();
    }
    m_objects.clear();
    m_objects.swap(m_deferred);
    m_clearing = false;
}

bool CCAutoreleasePool::contains(const CCObject* object) const {
    return std::find(m_objects.begin(), m_objects.end(), object) != m_objects.end() ||
           std::find(m_deferred.begin(), m_deferred.end(), object) != m_deferred.end();
}

size_t CCAutoreleasePool::size() const {
    size_t n = 0;
    for (auto* o : m_objects) n += o != nullptr;
    for (auto* o : m_deferred) n += o != nullptr;
    return n;
}

void CCAutoreleasePool::forgetObject(CCObject* object) {
    for (auto& o : m_objects)
        if (o == object) o = nullptr;
    for (auto& o : m_deferred)
        if (o == object) o = nullptr;
}

namespace {
CCPoolManager* s_poolManager = nullptr;
}

CCPoolManager* CCPoolManager::sharedPoolManager() {
    if (!s_poolManager) s_poolManager = new CCPoolManager();
    return s_poolManager;
}

void CCPoolManager::purgePoolManager() {
    delete s_poolManager;
    s_poolManager = nullptr;
}

CCPoolManager::CCPoolManager() { m_pools.push_back(new CCAutoreleasePool()); }

CCPoolManager::~CCPoolManager() {
    while (!m_pools.empty()) {
        m_pools.back()->clear();
        delete m_pools.back();
        m_pools.pop_back();
    }
}

void CCPoolManager::push() { m_pools.push_back(new CCAutoreleasePool()); }

void CCPoolManager::pop() {
    if (m_pools.empty()) return;
    m_pools.back()->clear();
    if (m_pools.size() > 1) {
        delete m_pools.back();
        m_pools.pop_back();
    }
}

void CCPoolManager::addObject(CCObject* object) { currentPool()->addObject(object); }

void CCPoolManager::forgetObject(CCObject* object) {
    for (auto* p : m_pools) p->forgetObject(object);
}

CCAutoreleasePool* CCPoolManager::currentPool() {
    if (m_pools.empty()) m_pools.push_back(new CCAutoreleasePool());
    return m_pools.back();
}

size_t CCPoolManager::pendingCount() const {
    size_t n = 0;
    for (auto* p : m_pools) n += p->size();
    return n;
}

}  // namespace engine
