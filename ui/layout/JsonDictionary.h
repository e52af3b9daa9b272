// Typed reads of one parsed JSON value with fixed defaults: the only way layout and animation keys are read.
//
//   - A dictionary is a light view into a shared parsed document: sub-dictionaries and array
//     elements share it, so handing them around never copies JSON and never dangles.
//   - Every read on a wrapper that is not an object (an array, null, or no value at all) gives
//     the read's default; the parser's own member lookups would abort on such values.
//   - Numbers that do not fit the read's type: an integer read saturates at the int range and
//     takes NaN as 0; a float read of a number beyond the float range gives the default 0.
//   - "Sub-object" and "array element as object" give a wrapper for objects, arrays and null
//     values, and none for anything else (an integer element, a missing index).
#pragma once

#include <memory>

#include <json/json.h>

namespace ui {

class JsonDictionary {
public:
    // No value at all: every read gives its default and isValid() is false.
    JsonDictionary() = default;
    // Takes a parsed document over; everything read from it shares it.
    explicit JsonDictionary(Json::Value document);

    // False for "none" (a missing or mistyped sub-object), true for any wrapper.
    bool isValid() const { return m_value != nullptr; }
    // The wrapped value, or null for none.
    const Json::Value* value() const { return m_value; }

    // Integer, unsigned, real (truncated toward zero) and boolean (0 or 1); else 0.
    int readInt(const char* key) const;
    // Integer, unsigned, real and boolean; else 0.0.
    float readFloat(const char* key) const;
    // Boolean only (a number such as 1 is not accepted); else false.
    bool readBool(const char* key) const;
    // String only; else null. The text lives as long as the document.
    const char* readString(const char* key) const;
    // The key exists, whatever its value (null too).
    bool hasKey(const char* key) const;
    // An object, array or null value under key; else none.
    JsonDictionary subDictionary(const char* key) const;
    // The length of an array under key; else 0.
    int arrayCount(const char* key) const;
    // The element at index of the array under key (object, array or null); else none.
    JsonDictionary arrayObject(const char* key, int index) const;
    // The string at index of the array under key; else null.
    const char* arrayString(const char* key, int index) const;

    // The same reads applied to a value rather than to a key of this object.
    static int intOf(const Json::Value& v);
    static float floatOf(const Json::Value& v);

private:
    JsonDictionary(std::shared_ptr<const Json::Value> document, const Json::Value* value)
        : m_document(std::move(document)), m_value(value) {}
    // The member under key, or null when this is not an object or has no such key.
    const Json::Value* member(const char* key) const;
    const Json::Value* arrayElement(const char* key, int index) const;
    JsonDictionary wrap(const Json::Value* v) const;

    std::shared_ptr<const Json::Value> m_document;
    const Json::Value* m_value = nullptr;
};

}  // namespace ui
