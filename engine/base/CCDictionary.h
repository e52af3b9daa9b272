// Dictionary of retained objects under string or integer keys, in insertion order.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/base/CCObject.h"

namespace engine {

class CCArray;
class CCString;

class CCDictionary : public CCObject {
public:
    enum KeyType { kKeyTypeNone, kKeyTypeString, kKeyTypeInt };

    CCDictionary() = default;
    ~CCDictionary() override;

    static CCDictionary* create();
    // Reads a property-list XML file (dict, array, string, integer, real, true, false, date,
    // data); a missing or malformed file gives null.
    // Reads a property-list file; defined by the property-list reader (engine/io/CCPropertyList.cpp),
    // which stands above the containers it fills.
    static CCDictionary* createWithContentsOfFile(const char* path);

    // A dictionary takes one kind of key, fixed by its first insertion; the other kind is ignored.
    void setObject(CCObject* object, const std::string& key);
    void setObject(CCObject* object, intptr_t key);
    CCObject* objectForKey(const std::string& key) const;
    CCObject* objectForKey(intptr_t key) const;
    // The string under key, or an empty string (never null) when the key is missing or not a string.
    const CCString* valueForKey(const std::string& key) const;
    void removeObjectForKey(const std::string& key);
    void removeObjectForKey(intptr_t key);
    void removeAllObjects();

    unsigned int count() const { return static_cast<unsigned int>(m_entries.size()); }
    KeyType getKeyType() const { return m_keyType; }
    // CCString keys for a string dictionary, CCInteger keys for an integer one, in insertion order.
    CCArray* allKeys() const;

    struct Entry {
        std::string strKey;
        intptr_t intKey;
        CCObject* object;
    };
    const std::vector<Entry>& entries() const { return m_entries; }

    CCObject* copy() override;

private:
    int findString(const std::string& key) const;
    int findInt(intptr_t key) const;
    void eraseAt(size_t index);

    KeyType m_keyType = kKeyTypeNone;
    std::vector<Entry> m_entries;
    std::unordered_map<std::string, size_t> m_stringIndex;
    std::unordered_map<intptr_t, size_t> m_intIndex;
};

}  // namespace engine
