// An insertion-ordered set of retained objects (the touches of one event).
#pragma once

#include <vector>

#include "engine/base/CCObject.h"

namespace engine {

class CCSet : public CCObject {
public:
    CCSet() = default;
    ~CCSet() override;
    static CCSet* create();

    void addObject(CCObject* object);
    void removeObject(CCObject* object);
    void removeAllObjects();
    bool containsObject(const CCObject* object) const;
    int count() const { return static_cast<int>(m_data.size()); }
    CCObject* anyObject() const { return m_data.empty() ? nullptr : m_data.front(); }

    using const_iterator = std::vector<CCObject*>::const_iterator;
    // begin() is the first object added.
    const_iterator begin() const { return m_data.begin(); }
    const_iterator end() const { return m_data.end(); }

private:
    std::vector<CCObject*> m_data;
};

}  // namespace engine
