// CCArray: an ordered array that retains what it holds.
#include "engine/base/CCArray.h"

#include <algorithm>
#include <cstdarg>
#include <cstdlib>

#include "engine/base/CCCreate.h"

namespace engine {

CCArray::~CCArray() { removeAllObjects(); }

CCArray* CCArray::create() {
    return autoreleasedOrNull(new CCArray(), true);
}

CCArray* CCArray::create(CCObject* first, ...) {
    CCArray* a = create();
    if (!first) return a;
    a->addObject(first);
    va_list args;
    va_start(args, first);
    for (CCObject* o = va_arg(args, CCObject*); o; o = va_arg(args, CCObject*)) a->addObject(o);
    va_end(args);
    return a;
}

CCArray* CCArray::createWithCapacity(unsigned int capacity) {
    CCArray* a = create();
    a->initWithCapacity(capacity);
    return a;
}

CCArray* CCArray::createWithArray(CCArray* other) {
    CCArray* a = create();
    a->addObjectsFromArray(other);
    return a;
}

bool CCArray::initWithCapacity(unsigned int capacity) {
    m_data.reserve(capacity);
    return true;
}

CCObject* CCArray::objectAtIndex(unsigned int index) const {
    return index < m_data.size() ? m_data[index] : nullptr;
}

CCObject* CCArray::randomObject() const {
    if (m_data.empty()) return nullptr;
    return m_data[static_cast<size_t>(std::rand()) % m_data.size()];
}

unsigned int CCArray::indexOfObject(const CCObject* object) const {
    auto it = std::find(m_data.begin(), m_data.end(), object);
    return it == m_data.end() ? kInvalidIndex : static_cast<unsigned int>(it - m_data.begin());
}

bool CCArray::isEqualToArray(const CCArray* other) const {
    if (!other || other->count() != count()) return false;
    for (size_t i = 0; i < m_data.size(); ++i)
        if (!m_data[i]->isEqual(other->m_data[i])) return false;
    return true;
}

void CCArray::addObject(CCObject* object) {
    if (!object) return;
    object->retain();
    m_data.push_back(object);
}

void CCArray::addObjectsFromArray(const CCArray* other) {
    if (!other || other == this) return;
    for (CCObject* o : other->m_data) addObject(o);
}

void CCArray::insertObject(CCObject* object, unsigned int index) {
    if (!object) return;
    object->retain();
    if (index >= m_data.size())
        m_data.push_back(object);
    else
        m_data.insert(m_data.begin() + index, object);
}

void CCArray::removeLastObject(bool releaseObject) {
    if (m_data.empty()) return;
    CCObject* o = m_data.back();
    m_data.pop_back();
    if (releaseObject) o->release();
}

void CCArray::removeObject(CCObject* object, bool releaseObject) {
    unsigned int i = indexOfObject(object);
    if (i != kInvalidIndex) removeObjectAtIndex(i, releaseObject);
}

void CCArray::removeObjectAtIndex(unsigned int index, bool releaseObject) {
    if (index >= m_data.size()) return;
    CCObject* o = m_data[index];
    m_data.erase(m_data.begin() + index);
    if (releaseObject) o->release();
}

void CCArray::removeObjectsInArray(CCArray* other) {
    if (!other) return;
    if (other == this) {
        removeAllObjects();
        return;
    }
    for (CCObject* o : other->m_data) removeObject(o);
}

void CCArray::removeAllObjects() {
    // Releasing may run destructors that look at this array: empty it first.
    std::vector<CCObject*> old;
    old.swap(m_data);
    for (CCObject* o : old) o->release();
}

void CCArray::exchangeObjectAtIndex(unsigned int a, unsigned int b) {
    if (a < m_data.size() && b < m_data.size()) std::swap(m_data[a], m_data[b]);
}

void CCArray::replaceObjectAtIndex(unsigned int index, CCObject* object) {
    if (!object || index >= m_data.size()) return;
    object->retain();
    m_data[index]->release();
    m_data[index] = object;
}

void CCArray::reverseObjects() { std::reverse(m_data.begin(), m_data.end()); }

CCObject* CCArray::copy() {
    CCArray* a = new CCArray();
    a->addObjectsFromArray(this);
    return a;
}

}  // namespace engine
