// CCString and the boxed values.
#include "engine/base/CCString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <vector>

namespace engine {

CCString* CCString::create(const std::string& s) {
    CCString* r = new CCString(s);
    r->autorelease();
    return r;
}

CCString* CCString::createWithFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string s;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, args);
        s.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(args);
    return create(s);
}

CCString* CCString::createWithData(const unsigned char* data, unsigned long length) {
    if (!data) return create("");
    return create(std::string(reinterpret_cast<const char*>(data), length));
}

int CCString::intValue() const { return std::atoi(m_sString.c_str()); }
unsigned int CCString::uintValue() const {
    return static_cast<unsigned int>(std::strtoul(m_sString.c_str(), nullptr, 10));
}
float CCString::floatValue() const { return static_cast<float>(std::atof(m_sString.c_str())); }
double CCString::doubleValue() const { return std::atof(m_sString.c_str()); }

bool CCString::boolValue() const {
    const char* s = m_sString.c_str();
    if (strcasecmp(s, "true") == 0 || strcasecmp(s, "yes") == 0) return true;
    return std::atof(s) != 0.0;
}

bool CCString::isEqual(const CCObject* other) const {
    const CCString* o = dynamic_cast<const CCString*>(other);
    return o && o->m_sString == m_sString;
}

CCInteger* CCInteger::create(int v) {
    auto* r = new CCInteger(v);
    r->autorelease();
    return r;
}
CCDouble* CCDouble::create(double v) {
    auto* r = new CCDouble(v);
    r->autorelease();
    return r;
}
CCFloat* CCFloat::create(float v) {
    auto* r = new CCFloat(v);
    r->autorelease();
    return r;
}
CCBool* CCBool::create(bool v) {
    auto* r = new CCBool(v);
    r->autorelease();
    return r;
}

}  // namespace engine
