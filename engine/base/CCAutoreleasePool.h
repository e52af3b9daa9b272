// Autorelease pools: deferred release of objects handed over with autorelease().
#pragma once

#include <cstddef>
#include <vector>

#include "engine/base/CCObject.h"

namespace engine {

class CCAutoreleasePool {
public:
    void addObject(CCObject* object);
    // Releases every object once per autorelease call, in the order they came in.
    void clear();
    bool contains(const CCObject* object) const;
    size_t size() const;  // objects still waiting for a release
    void forgetObject(CCObject* object);

private:
    std::vector<CCObject*> m_objects;
    std::vector<CCObject*> m_deferred;  // autoreleased while this pool was being cleared
    bool m_clearing = false;
};

// A stack of pools; the director drains the bottom pool after every frame.
class CCPoolManager {
public:
    static CCPoolManager* sharedPoolManager();
    static void purgePoolManager();

    void push();
    void pop();  // drains and removes the top pool (the bottom one is only drained)
    void drain() { pop(); }
    void addObject(CCObject* object);
    void forgetObject(CCObject* object);
    CCAutoreleasePool* currentPool();
    size_t pendingCount() const;

    ~CCPoolManager();

private:
    CCPoolManager();
    std::vector<CCAutoreleasePool*> m_pools;
};

}  // namespace engine
