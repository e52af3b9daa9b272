// Ordered array of retained objects.
#pragma once

#include <vector>

#include "engine/base/CCObject.h"

namespace engine {

class CCArray : public CCObject {
public:
    static const unsigned int kInvalidIndex = static_cast<unsigned int>(-1);

    CCArray() = default;
    ~CCArray() override;

    static CCArray* create();
    // A null-terminated list of objects.
    static CCArray* create(CCObject* first, ...);
    static CCArray* createWithCapacity(unsigned int capacity);
    static CCArray* createWithArray(CCArray* other);

    bool init() { return true; }
    bool initWithCapacity(unsigned int capacity);

    unsigned int count() const { return static_cast<unsigned int>(m_data.size()); }
    unsigned int capacity() const { return static_cast<unsigned int>(m_data.capacity()); }
    // Null for an index out of range.
    CCObject* objectAtIndex(unsigned int index) const;
    CCObject* lastObject() const { return m_data.empty() ? nullptr : m_data.back(); }
    CCObject* randomObject() const;
    unsigned int indexOfObject(const CCObject* object) const;
    bool containsObject(const CCObject* object) const { return indexOfObject(object) != kInvalidIndex; }
    bool isEqualToArray(const CCArray* other) const;

    // Null objects are not stored.
    void addObject(CCObject* object);
    void addObjectsFromArray(const CCArray* other);
    // An index past the end appends.
    void insertObject(CCObject* object, unsigned int index);
    void removeLastObject(bool releaseObject = true);
    // Removes the first occurrence.
    void removeObject(CCObject* object, bool releaseObject = true);
    void removeObjectAtIndex(unsigned int index, bool releaseObject = true);
    void removeObjectsInArray(CCArray* other);
    void removeAllObjects();
    void exchangeObjectAtIndex(unsigned int a, unsigned int b);
    void replaceObjectAtIndex(unsigned int index, CCObject* object);
    void reverseObjects();

    CCObject* copy() override;

    using iterator = std::vector<CCObject*>::const_iterator;
    iterator begin() const { return m_data.begin(); }
    iterator end() const { return m_data.end(); }
    const std::vector<CCObject*>& data() const { return m_data; }

private:
    std::vector<CCObject*> m_data;
};

}  // namespace engine
