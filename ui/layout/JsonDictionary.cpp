// JsonDictionary: the type rules and defaults of every layout read.
#include "ui/layout/JsonDictionary.h"

#include <cfloat>
#include <climits>
#include <cmath>

namespace ui {

JsonDictionary::JsonDictionary(Json::Value document) {
    auto owned = std::make_shared<const Json::Value>(std::move(document));
    m_value = owned.get();
    m_document = std::move(owned);
}

const Json::Value* JsonDictionary::member(const char* key) const {
    // find() on anything but an object or null aborts inside the parser library.
    if (!m_value || !key || !m_value->isObject()) return nullptr;
    return m_value->find(key, key + std::char_traits<char>::length(key));
}

const Json::Value* JsonDictionary::arrayElement(const char* key, int index) const {
    const Json::Value* array = member(key);
    if (!array || !array->isArray() || index < 0) return nullptr;
    if (static_cast<Json::ArrayIndex>(index) >= array->size()) return nullptr;
    return &(*array)[static_cast<Json::ArrayIndex>(index)];
}

JsonDictionary JsonDictionary::wrap(const Json::Value* v) const {
    if (!v || !(v->isObject() || v->isArray() || v->isNull())) return JsonDictionary();
    return JsonDictionary(m_document, v);
}

int JsonDictionary::intOf(const Json::Value& v) {
    switch (v.type()) {
        case Json::intValue: {
            Json::LargestInt i = v.asLargestInt();
            return i > INT_MAX ? INT_MAX : i < INT_MIN ? INT_MIN : static_cast<int>(i);
        }
        case Json::uintValue: {
            Json::LargestUInt u = v.asLargestUInt();
            return u > static_cast<Json::LargestUInt>(INT_MAX) ? INT_MAX : static_cast<int>(u);
        }
        case Json::realValue: {
            // The library's own conversion throws outside the int range.
            double d = v.asDouble();
            if (std::isnan(d)) return 0;
            if (d >= static_cast<double>(INT_MAX)) return INT_MAX;
            if (d <= static_cast<double>(INT_MIN)) return INT_MIN;
            return static_cast<int>(d);  // truncates toward zero
        }
        case Json::booleanValue:
            return v.asBool() ? 1 : 0;
        default:
            return 0;
    }
}

float JsonDictionary::floatOf(const Json::Value& v) {
    switch (v.type()) {
        case Json::intValue:
        case Json::uintValue:
            return static_cast<float>(v.asDouble());
        case Json::realValue: {
            // A double beyond the float range has no float value; converting it is undefined.
            double d = v.asDouble();
            if (!std::isfinite(d) || std::fabs(d) > static_cast<double>(FLT_MAX)) return 0.0f;
            return static_cast<float>(d);
        }
        case Json::booleanValue:
            return v.asBool() ? 1.0f : 0.0f;
        default:
            return 0.0f;
    }
}

int JsonDictionary::readInt(const char* key) const {
    const Json::Value* v = member(key);
    return v ? intOf(*v) : 0;
}

float JsonDictionary::readFloat(const char* key) const {
    const Json::Value* v = member(key);
    return v ? floatOf(*v) : 0.0f;
}

bool JsonDictionary::readBool(const char* key) const {
    const Json::Value* v = member(key);
    return v && v->isBool() && v->asBool();
}

const char* JsonDictionary::readString(const char* key) const {
    const Json::Value* v = member(key);
    return v && v->isString() ? v->asCString() : nullptr;
}

bool JsonDictionary::hasKey(const char* key) const { return member(key) != nullptr; }

JsonDictionary JsonDictionary::subDictionary(const char* key) const { return wrap(member(key)); }

int JsonDictionary::arrayCount(const char* key) const {
    const Json::Value* v = member(key);
    if (!v || !v->isArray()) return 0;
    Json::ArrayIndex n = v->size();
    return n > static_cast<Json::ArrayIndex>(INT_MAX) ? INT_MAX : static_cast<int>(n);
}

JsonDictionary JsonDictionary::arrayObject(const char* key, int index) const {
    return wrap(arrayElement(key, index));
}

const char* JsonDictionary::arrayString(const char* key, int index) const {
    const Json::Value* v = arrayElement(key, index);
    return v && v->isString() ? v->asCString() : nullptr;
}

}  // namespace ui
