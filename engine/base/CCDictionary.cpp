// CCDictionary: insertion-ordered map of retained objects.
#include "engine/base/CCDictionary.h"

#include "engine/base/CCArray.h"
#include "engine/base/CCCreate.h"
#include "engine/base/CCString.h"

namespace engine {

CCDictionary::~CCDictionary() { removeAllObjects(); }

CCDictionary* CCDictionary::create() {
    return autoreleasedOrNull(new CCDictionary(), true);
}

int CCDictionary::findString(const std::string& key) const {
    auto it = m_stringIndex.find(key);
    return it == m_stringIndex.end() ? -1 : static_cast<int>(it->second);
}

int CCDictionary::findInt(intptr_t key) const {
    auto it = m_intIndex.find(key);
    return it == m_intIndex.end() ? -1 : static_cast<int>(it->second);
}

void CCDictionary::setObject(CCObject* object, const std::string& key) {
    if (!object || m_keyType == kKeyTypeInt) return;
    m_keyType = kKeyTypeString;
    object->retain();
    int i = findString(key);
    if (i >= 0) {
        CCObject* old = m_entries[i].object;
        m_entries[i].object = object;
        old->release();
        return;
    }
    m_stringIndex[key] = m_entries.size();
    m_entries.push_back(Entry{key, 0, object});
}

void CCDictionary::setObject(CCObject* object, intptr_t key) {
    if (!object || m_keyType == kKeyTypeString) return;
    m_keyType = kKeyTypeInt;
    object->retain();
    int i = findInt(key);
    if (i >= 0) {
        CCObject* old = m_entries[i].object;
        m_entries[i].object = object;
        old->release();
        return;
    }
    m_intIndex[key] = m_entries.size();
    m_entries.push_back(Entry{std::string(), key, object});
}

CCObject* CCDictionary::objectForKey(const std::string& key) const {
    if (m_keyType != kKeyTypeString) return nullptr;
    int i = findString(key);
    return i >= 0 ? m_entries[i].object : nullptr;
}

CCObject* CCDictionary::objectForKey(intptr_t key) const {
    if (m_keyType != kKeyTypeInt) return nullptr;
    int i = findInt(key);
    return i >= 0 ? m_entries[i].object : nullptr;
}

const CCString* CCDictionary::valueForKey(const std::string& key) const {
    const CCString* s = dynamic_cast<const CCString*>(objectForKey(key));
    return s ? s : CCString::create("");
}

void CCDictionary::eraseAt(size_t index) {
    CCObject* o = m_entries[index].object;
    m_entries.erase(m_entries.begin() + static_cast<long>(index));
    m_stringIndex.clear();
    m_intIndex.clear();
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_keyType == kKeyTypeString)
            m_stringIndex[m_entries[i].strKey] = i;
        else
            m_intIndex[m_entries[i].intKey] = i;
    }
    o->release();
}

void CCDictionary::removeObjectForKey(const std::string& key) {
    if (m_keyType != kKeyTypeString) return;
    int i = findString(key);
    if (i >= 0) eraseAt(static_cast<size_t>(i));
}

void CCDictionary::removeObjectForKey(intptr_t key) {
    if (m_keyType != kKeyTypeInt) return;
    int i = findInt(key);
    if (i >= 0) eraseAt(static_cast<size_t>(i));
}

void CCDictionary::removeAllObjects() {
    std::vector<Entry> old;
    old.swap(m_entries);
    m_stringIndex.clear();
    m_intIndex.clear();
    for (Entry& e : old) e.object->release();
}

CCArray* CCDictionary::allKeys() const {
    CCArray* keys = CCArray::createWithCapacity(count());
    for (const Entry& e : m_entries) {
        if (m_keyType == kKeyTypeString)
            keys->addObject(CCString::create(e.strKey));
        else
            keys->addObject(CCInteger::create(static_cast<int>(e.intKey)));
    }
    return keys;
}

CCObject* CCDictionary::copy() {
    CCDictionary* d = new CCDictionary();
    for (const Entry& e : m_entries) {
        if (m_keyType == kKeyTypeString)
            d->setObject(e.object, e.strKey);
        else
            d->setObject(e.object, e.intKey);
    }
    return d;
}

}  // namespace engine
